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

std::optional<ActivationOutcome>
DeviceLink::AwaitProgrammingMode(const std::string& portName, const ActivationOptions& options) {
    Transport& transport = frames_.transport();
    Waiter& waiter = frames_.waiter();
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
            return ActivationOutcome::ConnectionLost;
        if (Cancelled())
            return ActivationOutcome::Cancelled;
        if (reply.length >= 1 && reply.code() == answer::Programming)
            return std::nullopt;
        if (reply.length >= 1)
            frameBytes += static_cast<std::uint64_t>(reply.length) + 2;
        if (frames_.SendFailed())
            return ActivationOutcome::Failed;
        const std::uint64_t received = transport.receivedCount();
        ShowActivationWait(portName, waiter.now() - start,
                           received - std::min(received, frameBytes));
        if (options.answerWait && waiter.now() - start >= *options.answerWait)
            return ActivationOutcome::NoAnswer;
    }
}

std::optional<ActivationOutcome> DeviceLink::Identify(const ActivationOptions& options,
                                                      DeviceInfo& info, ActivationResult& result) {
    const auto id = DecodeIdentification(
        frames_.Exchange(MakeRequest(0x02), kQueryTimeout, CancelMode::Ignored));
    if (LoseConnectionIfGone())
        return ActivationOutcome::ConnectionLost;
    if (!id)
        return ActivationOutcome::Failed;

    const auto row = FindProduct(id->code);
    if (row)
        info.lblInfoProdukt = ProductTable[*row].name;
    info.lblInfoVerze = VersionText(id->major, id->minor);
    if (options.showInfo)
        options.showInfo(info);

    result.outcome = ActivationOutcome::Activated;
    if (!row) {
        result.outcome = ActivationOutcome::UnknownModel;
        status_.hideStatus();
        prompter_.ask(UnknownDeviceMessage(texts_));
        return std::nullopt;
    }
    result.minimum = EffectiveMinimum(ProductTable[*row].minimumVersion);
    if (!VersionAccepted(info.lblInfoVerze, result.minimum)) {
        result.outcome = ActivationOutcome::VersionTooOld;
        status_.hideStatus();
        prompter_.ask(VersionTooOldMessage(texts_, result.minimum));
    }
    return std::nullopt;
}

std::optional<ActivationOutcome> DeviceLink::QueryHardware(DeviceInfo& info) {
    const auto hardware =
        DecodeHardware(frames_.Exchange(MakeRequest(0x03), kQueryTimeout, CancelMode::Ignored));
    if (LoseConnectionIfGone())
        return ActivationOutcome::ConnectionLost;
    if (!hardware)
        return ActivationOutcome::Failed;
    if (const MemorySizeRow* size = FindMemorySize(hardware->memoryCode)) {
        info.lblInfoPamSize = size->text;
        info.eepromSize = size->bytes;
    }
    if (const ModemRow* modem = FindModem(hardware->modemCode))
        info.lblInfoModem = modem->text;
    return std::nullopt;
}

ActivationResult DeviceLink::Activate(const std::string& portName,
                                      const ActivationOptions& options) {
    ActivationResult result;
    EnterNeaktivni();
    connectionLost_ = false;
    if (!frames_.transport().open(portName, result.portError)) {
        status_.hideStatus();
        prompter_.ask(PortFailedMessage(texts_, portName, result.portError));
        result.outcome = ActivationOutcome::PortFailed;
        return result;
    }
    prompter_.ask(PressKeyMessage(texts_));
    status_.showStatus(texts_.get("msg027"));

    DeviceInfo info;
    std::optional<ActivationOutcome> failure = AwaitProgrammingMode(portName, options);
    if (!failure)
        failure = Identify(options, info, result);
    if (!failure)
        failure = QueryHardware(info);
    if (failure)
        return FailActivation(*failure, result, options);

    state_ = result.outcome == ActivationOutcome::VersionTooOld
                 ? ConnectionState::AktivniSpatnaVerze
                 : ConnectionState::Aktivni;
    info_ = info;
    status_.hideStatus();
    result.state = state_;
    result.info = info_;
    return result;
}

} // namespace rq7::device
