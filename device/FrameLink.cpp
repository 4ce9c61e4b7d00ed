#include "device/FrameLink.h"

#include "device/Identification.h"

#include <algorithm>

namespace rq7::device {

namespace {
// Unanswered programming-mode requests leave nothing to flush: the device
// ignores them until its key is pressed, and a late answer to one carries
// an answer code no other request shares.
constexpr std::uint8_t kProgrammingCommand = 0x01;

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

bool FrameLink::Settle(const Unsettled& request, CancelMode mode) {
    const Millis horizon = request.lastSentAt + kLateReplyHorizon;
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

bool FrameLink::Barrier(CancelMode mode) {
    Bytes wire = EncodeFrame(MakeRequest(kBarrierCommand));
    transport_.discardInput();
    if (!transport_.write(wire)) {
        sendFailed_ = true;
        return false;
    }
    const Unsettled barrier{std::move(wire), waiter_.now()};
    const Millis deadline = barrier.lastSentAt + kLateReplyHorizon;
    for (;;) {
        const Frame reply = ReceiveUntil(deadline, mode);
        if (cancelled_) {
            // Its answer may still come; the next barrier may take it, which
            // is as good, since nothing else was sent in between.
            unsettled_ = barrier;
            return false;
        }
        if (reply.length >= 1 && reply.code() == answer::Hardware)
            return true;
        if (timeoutFlag_)
            break;
    }
    // Lost or damaged: only the quiet line can tell that the rest is in.
    if (!Settle(barrier, mode)) {
        unsettled_ = barrier;
        return false;
    }
    return true;
}

Frame FrameLink::Exchange(const Frame& request, Millis timeout, CancelMode mode, Attempt attempt) {
    sendFailed_ = false;
    cancelled_ = false;
    timeoutFlag_ = false;
    const std::uint8_t command = request.code();
    Bytes wire = EncodeFrame(request);
    const bool repeat = attempt == Attempt::Repeat && unsettled_ && unsettled_->wire == wire;
    // The hardware query is a barrier of its own: its answer comes after
    // every earlier reply, whose other answer codes are skipped below.
    if (unsettled_ && !repeat && command != kBarrierCommand) {
        if (!Barrier(mode))
            return Frame{};
        unsettled_.reset();
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
    lastWire_ = wire;
    lastSentAt_ = sentAt;
    // A reply without this command's answer code (none, damaged, a refusal)
    // leaves this request's own reply possibly still to come.
    const bool answered =
        reply.length >= 1 && reply.code() == static_cast<std::uint8_t>(command + 0x80);
    if ((repeat || !answered) && command != kProgrammingCommand)
        unsettled_ = Unsettled{std::move(wire), sentAt};
    else
        unsettled_.reset();
    return reply;
}

void FrameLink::ReplyUnusable() {
    if (!lastWire_.empty())
        unsettled_ = Unsettled{lastWire_, lastSentAt_};
}

void FrameLink::Reset() {
    unsettled_.reset();
    lastWire_.clear();
}

} // namespace rq7::device
