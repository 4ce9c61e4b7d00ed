#include "device/DeviceLink.h"

#include "device/DeviceMessages.h"
#include "device/Identification.h"

namespace rq7::device {

DeviceLink::DeviceLink(Transport& transport, Waiter& waiter, Prompter& prompter, StatusSink& status,
                       const Texts& texts)
    : frames_(transport, waiter), prompter_(prompter), status_(status), texts_(texts) {}

void DeviceLink::EnterNeaktivni() {
    state_ = ConnectionState::Neaktivni;
    info_ = DeviceInfo{};
    frames_.transport().close();
    frames_.Reset();
}

bool DeviceLink::LoseConnectionIfGone() {
    if (!frames_.transport().lost())
        return false;
    EnterNeaktivni();
    connectionLost_ = true;
    return true;
}

DeactivationResult DeviceLink::Deactivate() {
    connectionLost_ = false;
    if (!IsActive(state_) || !frames_.transport().isOpen()) {
        EnterNeaktivni();
        return {DeactivationOutcome::NotActive, state_};
    }
    Frame request = MakeRequest(0x06);
    request.data[1] = 0xAA;
    request.data[2] = 0x55;
    request.length = 3;
    const Frame reply = frames_.Exchange(request, kQueryTimeout, CancelMode::Ignored);
    if (reply.length >= 1 && reply.code() == answer::EndProgramming) {
        EnterNeaktivni();
        return {DeactivationOutcome::Confirmed, state_};
    }
    if (prompter_.ask(DeactivationFailedMessage(texts_)) == Answer::Yes) {
        EnterNeaktivni();
        return {DeactivationOutcome::Forced, state_};
    }
    return {DeactivationOutcome::KeptActive, state_};
}

} // namespace rq7::device
