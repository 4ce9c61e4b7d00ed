#include "device/FrameLink.h"

#include "device/Identification.h"

#include <algorithm>

namespace rq7::device {

namespace {
// A line that keeps talking past the horizon is given up on after this long;
// the request that follows then most likely fails its checksum and is
// repeated.
constexpr Millis kSettleOverrun{1000};

// A valid reply whose answer code belongs to another command than the
// request's: it answers an earlier request, not this one.
bool AnswersAnotherCommand(const Frame& reply, std::uint8_t command) {
    const std::uint8_t code = reply.code();
    return reply.length >= 1 && code >= answer::Programming && code <= answer::EndProgramming &&
           code != static_cast<std::uint8_t>(command + 0x80);
}
} // namespace

Waiter::Wake FrameLink::wait(Millis deadline, CancelMode mode) {
    return mode == CancelMode::Honoured ? waiter_.waitUntil(transport_, deadline)
                                        : waiter_.waitIgnoringCancel(transport_, deadline);
}

bool FrameLink::SendFrame(const Frame& frame) {
    return transport_.write(EncodeFrame(frame));
}

Frame FrameLink::ReceiveFrame(Millis timeout, CancelMode mode) {
    return ReceiveUntil(waiter_.now() + timeout, mode);
}

Frame FrameLink::ReceiveUntil(Millis deadline, CancelMode mode) {
    Frame frame;
    std::size_t count = 0;
    timeoutFlag_ = false;
    cancelled_ = false;
    bool complete = false;
    while (!complete && !timeoutFlag_ && !cancelled_) {
        switch (waiter_.waitForTerminator(transport_, kCarriageReturn, deadline, mode)) {
        case Waiter::Wake::Data:
            for (std::uint8_t byte : transport_.readAvailable()) {
                if (count < frame.data.size())
                    frame.data[count++] = byte;
            }
            complete = count > 0 && frame.data[count - 1] == kCarriageReturn;
            break;
        case Waiter::Wake::Deadline:
            // A reply cut off by the time-out is dropped with what came of it.
            transport_.readAvailable();
            timeoutFlag_ = true;
            break;
        case Waiter::Wake::Cancel:
            cancelled_ = true;
            break;
        }
        if (waiter_.now() >= deadline)
            timeoutFlag_ = true;
    }
    if (timeoutFlag_ || cancelled_ || count < 2)
        return Frame{};
    const std::size_t dataLength = count - 2;
    if (FrameChecksum(frame.data.data(), dataLength) != frame.data[dataLength])
        return Frame{};
    frame.length = static_cast<int>(dataLength);
    return frame;
}

bool FrameLink::Settle(const Abandoned& abandoned, CancelMode mode) {
    const Millis horizon = abandoned.lastSentAt + kLateReplyHorizon;
    const Millis limit = std::max(horizon, waiter_.now()) + kSettleOverrun;
    // The gap is kept also when the horizon has long passed: a reply that
    // began just before it may still be on the wire.
    Millis lastByte = waiter_.now();
    for (;;) {
        const Millis deadline = std::min(std::max(horizon, lastByte + kQuietGap), limit);
        const Waiter::Wake wake = wait(deadline, mode);
        if (wake == Waiter::Wake::Cancel) {
            cancelled_ = true;
            return false;
        }
        if (wake == Waiter::Wake::Data) {
            transport_.readAvailable();
            lastByte = waiter_.now();
        } else if (waiter_.now() >= deadline) {
            break;
        }
        if (waiter_.now() >= limit)
            break;
    }
    return true;
}

Frame FrameLink::Exchange(const Frame& request, Millis timeout, CancelMode mode) {
    sendFailed_ = false;
    cancelled_ = false;
    timeoutFlag_ = false;
    const std::uint8_t command = request.code();
    Bytes wire = EncodeFrame(request);
    auto earlier = abandoned_.find(command);
    const bool repeat = earlier != abandoned_.end() && earlier->second.wire == wire;
    if (earlier != abandoned_.end() && !repeat) {
        if (!Settle(earlier->second, mode))
            return Frame{};
        abandoned_.erase(earlier);
    }
    transport_.discardInput();
    if (!transport_.write(wire)) {
        sendFailed_ = true;
        return Frame{};
    }
    const Millis sentAt = waiter_.now();
    const Millis deadline = sentAt + timeout;
    Frame reply;
    do
        reply = ReceiveUntil(deadline, mode);
    while (AnswersAnotherCommand(reply, command));
    if (repeat || timeoutFlag_ || cancelled_)
        abandoned_[command] = Abandoned{std::move(wire), sentAt};
    return reply;
}

void FrameLink::Reset() {
    abandoned_.clear();
}

} // namespace rq7::device
