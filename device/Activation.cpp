// Programming mode and identification.

#include "device/DeviceLink.h"
#include "device/DeviceMessages.h"
#include "device/DeviceTables.h"
#include "device/Identification.h"
#include "device/PortDiagnosis.h"

#include <algorithm>

namespace rq7::device {

ActivationResult DeviceLink::FailActivation(ActivationOutcome outcome, ActivationResult result,
                                            const ActivationOptions& options) {
    EnterNeaktivni();
    if (options.showInfo)
        options.showInfo(info_);
    status_.hideStatus();
    prompter_.ask(outcome == ActivationOutcome::ConnectionLost ? ConnectionLostMessage(texts_)
                                                               : ActivationFailedMessage(texts_));
    result.outcome = outcome;
    result.state = state_;
    result.info = info_;
    return result;
}

void DeviceLink::ShowActivationWait(const std::string& portName, Millis waited,
                                    std::uint64_t invalidBytes) {
    const std::string seconds = std::to_string(waited.count() / 1000);
    std::string hint;
    if (waited >= kActivationHintAfter)
        hint = invalidBytes > 0
                   ? FillIn(texts_.get("msg083"), {portName, std::to_string(invalidBytes)})
                   : FillIn(texts_.get("msg082"), {portName});
    status_.showWaiting(FillIn(texts_.get("msg081"), {seconds}), hint);
}

ActivationResult DeviceLink::Activate(const std::string& portName,
                                      const ActivationOptions& options) {
    ActivationResult result;
    Transport& transport = frames_.transport();
    Waiter& waiter = frames_.waiter();

    EnterNeaktivni();
    connectionLost_ = false;
    if (!transport.open(portName, result.portError)) {
        status_.hideStatus();
        prompter_.ask(PortFailedMessage(texts_, portName, result.portError));
        result.outcome = ActivationOutcome::PortFailed;
        return result;
    }

    prompter_.ask(PressKeyMessage(texts_));
    status_.showStatus(texts_.get("msg027"));

    // The device answers only once its key has been pressed; until then the
    // request is repeated.
    const Millis start = waiter.now();
    // Bytes of valid frames; everything else received meanwhile is not
    // from a device that could answer.
    std::uint64_t frameBytes = 0;
    for (;;) {
        const Frame reply = frames_.Exchange(MakeRequest(0x01), kProgrammingTimeout,
                                             CancelMode::Honoured, Attempt::Repeat);
        if (LoseConnectionIfGone())
            return FailActivation(ActivationOutcome::ConnectionLost, result, options);
        if (Cancelled())
            return FailActivation(ActivationOutcome::Cancelled, result, options);
        if (reply.length >= 1 && reply.code() == answer::Programming)
            break;
        if (reply.length >= 1)
            frameBytes += static_cast<std::uint64_t>(reply.length) + 2;
        if (frames_.SendFailed())
            return FailActivation(ActivationOutcome::Failed, result, options);
        const std::uint64_t received = transport.receivedCount();
        ShowActivationWait(portName, waiter.now() - start,
                           received - std::min(received, frameBytes));
        if (options.answerWait && waiter.now() - start >= *options.answerWait)
            return FailActivation(ActivationOutcome::NoAnswer, result, options);
    }

    const auto id = DecodeIdentification(
        frames_.Exchange(MakeRequest(0x02), kQueryTimeout, CancelMode::Ignored));
    if (LoseConnectionIfGone())
        return FailActivation(ActivationOutcome::ConnectionLost, result, options);
    if (!id)
        return FailActivation(ActivationOutcome::Failed, result, options);

    DeviceInfo info;
    const auto row = FindProduct(id->code);
    if (row)
        info.lblInfoProdukt = ProductTable()[*row].name;
    info.lblInfoVerze = VersionText(id->major, id->minor);
    if (options.showInfo)
        options.showInfo(info);

    bool accepted = true;
    result.outcome = ActivationOutcome::Activated;
    if (!row) {
        result.outcome = ActivationOutcome::UnknownModel;
        status_.hideStatus();
        prompter_.ask(UnknownDeviceMessage(texts_));
    } else {
        result.minimum = EffectiveMinimum(ProductTable()[*row].minimumVersion);
        accepted = VersionAccepted(info.lblInfoVerze, result.minimum);
        if (!accepted) {
            result.outcome = ActivationOutcome::VersionTooOld;
            status_.hideStatus();
            prompter_.ask(VersionTooOldMessage(texts_, result.minimum));
        }
    }

    const auto hardware =
        DecodeHardware(frames_.Exchange(MakeRequest(0x03), kQueryTimeout, CancelMode::Ignored));
    if (LoseConnectionIfGone())
        return FailActivation(ActivationOutcome::ConnectionLost, result, options);
    if (!hardware)
        return FailActivation(ActivationOutcome::Failed, result, options);
    if (const MemorySizeRow* size = FindMemorySize(hardware->memoryCode)) {
        info.lblInfoPamSize = size->text;
        info.eepromSize = size->bytes;
    }
    if (const ModemRow* modem = FindModem(hardware->modemCode))
        info.lblInfoModem = modem->text;

    state_ = accepted ? ConnectionState::Aktivni : ConnectionState::AktivniSpatnaVerze;
    info_ = info;
    status_.hideStatus();
    result.state = state_;
    result.info = info_;
    return result;
}

} // namespace rq7::device
