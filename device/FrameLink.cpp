#include "device/FrameLink.h"

#include "device/Identification.h"

#include <algorithm>

namespace rq7::device {

namespace {
// Requests of one form only (programming mode, identification, hardware
// query, end of programming): every request of the command is the same
// frame, answered alike, under an answer code of its own. Their replies may
// stay on the line without ever being taken for another request's.
// Programming-mode requests go unanswered until the device's key is
// pressed, so their replies are owed in numbers; the barrier's replies
// outlive a proof that needed more than one of them.
bool OfOneForm(std::uint8_t command) {
    return command == 0x01 || command == 0x02 || command == kBarrierCommand || command == 0x06;
}

// Requests sent without proving the line: the programming-mode request,
// which starts a session, and the barrier itself. The others wait for a
// proven line, so that their one attempt is not held up behind stale
// replies.
bool GoesOutUnproven(std::uint8_t command) {
    return command == 0x01 || command == kBarrierCommand;
}

// The answer code of one of the protocol's commands.
bool IsAnswerCode(std::uint8_t code) {
    return code >= answer::Programming && code <= answer::EndProgramming;
}

// A valid reply whose answer code belongs to another command than the
// request's.
bool AnswersAnotherCommand(const Frame& reply, std::uint8_t command) {
    return reply.length >= 1 && IsAnswerCode(reply.code()) &&
           reply.code() != static_cast<std::uint8_t>(command + 0x80);
}
} // namespace

bool FrameLink::SendFrame(const Frame& frame) {
    const Bytes wire = EncodeFrame(frame);
    if (!transport_.write(wire))
        return false;
    Owe(wire);
    return true;
}

Frame FrameLink::ReceiveFrame(Millis timeout, CancelMode mode) {
    return NextReply(waiter_.now() + timeout, mode, true).value_or(Frame{});
}

std::optional<Frame> FrameLink::CutReply() {
    const auto end = std::find(received_.begin(), received_.end(), kCarriageReturn);
    if (end == received_.end())
        return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(end - received_.begin()) + 1;
    Frame frame;
    if (count >= 2 && count <= frame.data.size()) {
        std::copy(received_.begin(), end + 1, frame.data.begin());
        const std::size_t dataLength = count - 2;
        if (FrameChecksum(frame.data.data(), dataLength) == frame.data[dataLength])
            frame.length = static_cast<int>(dataLength);
    }
    received_.erase(received_.begin(), end + 1);
    if (frame.length == 0)
        return Frame{};
    return frame;
}

std::optional<Frame> FrameLink::NextReply(Millis deadline, CancelMode mode, bool dropUnfinished) {
    timeoutFlag_ = false;
    cancelled_ = false;
    for (;;) {
        if (std::optional<Frame> reply = CutReply()) {
            Settle(*reply);
            return reply;
        }
        const Waiter::Wake wake =
            waiter_.waitForTerminator(transport_, kCarriageReturn, deadline, mode);
        if (wake == Waiter::Wake::Cancel) {
            cancelled_ = true;
            return std::nullopt;
        }
        const Bytes bytes = transport_.readAvailable();
        bytesRead_ += bytes.size();
        received_.insert(received_.end(), bytes.begin(), bytes.end());
        if (waiter_.now() >= deadline) {
            // Replies in by now still settle what they answer.
            while (std::optional<Frame> late = CutReply())
                Settle(*late);
            if (dropUnfinished)
                received_.clear();
            timeoutFlag_ = true;
            return std::nullopt;
        }
    }
}

void FrameLink::TakeWaiting() {
    const Bytes bytes = transport_.readAvailable();
    bytesRead_ += bytes.size();
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    while (std::optional<Frame> reply = CutReply())
        Settle(*reply);
}

void FrameLink::Owe(const Bytes& wire) {
    if (!owed_.empty() && owed_.back().wire == wire)
        ++owed_.back().count;
    else
        owed_.push_back({wire, 1});
}

void FrameLink::Settle(const Frame& reply) {
    if (owed_.empty())
        return;
    if (reply.length >= 1) {
        const std::uint8_t code = reply.code();
        const auto answered = std::find_if(owed_.begin(), owed_.end(), [code](const Owed& owed) {
            return static_cast<std::uint8_t>(owed.wire[0] + 0x80) == code;
        });
        if (answered != owed_.end()) {
            // It answers this attempt or a later one: none before it will
            // be answered any more.
            owed_.erase(owed_.begin(), answered);
        } else if (IsAnswerCode(code)) {
            return; // answers nothing that is owed
        }
    }
    if (--owed_.front().count == 0)
        owed_.pop_front();
}

bool FrameLink::OwesOther(const Bytes& wire, Attempt attempt) const {
    return std::any_of(owed_.begin(), owed_.end(), [&](const Owed& owed) {
        return !OfOneForm(owed.wire[0]) && !(attempt == Attempt::Repeat && owed.wire == wire);
    });
}

bool FrameLink::Prove(const Bytes& wire, Attempt attempt, CancelMode mode) {
    const Bytes barrier = EncodeFrame(MakeRequest(kBarrierCommand));
    int owedCount = 0;
    for (const Owed& owed : owed_)
        owedCount += owed.count;
    // Each owed reply may come up to a horizon after the one before it.
    const Millis giveUp = waiter_.now() + (owedCount + kBarrierAttempts) * kLateReplyHorizon;
    Millis quietUntil = waiter_.now();
    for (int sent = 0; OwesOther(wire, attempt);) {
        if (waiter_.now() >= giveUp) {
            outOfOrder_ = true;
            return false;
        }
        if (waiter_.now() >= quietUntil) {
            if (sent == kBarrierAttempts) {
                outOfOrder_ = true;
                return false;
            }
            if (!transport_.write(barrier)) {
                sendFailed_ = true;
                return false;
            }
            Owe(barrier);
            ++sent;
            quietUntil = waiter_.now() + (sent == 1 ? kLateReplyHorizon : sent * kBarrierRetryStep);
        }
        const std::uint64_t before = bytesRead_;
        NextReply(std::min(quietUntil, giveUp), mode, false);
        if (cancelled_)
            return false;
        if (bytesRead_ != before)
            quietUntil = std::max(quietUntil, waiter_.now() + kLateReplyHorizon);
    }
    return true;
}

Frame FrameLink::Exchange(const Frame& request, Millis timeout, CancelMode mode, Attempt attempt) {
    sendFailed_ = false;
    cancelled_ = false;
    timeoutFlag_ = false;
    outOfOrder_ = false;
    const std::uint8_t command = request.code();
    const Bytes wire = EncodeFrame(request);
    TakeWaiting();
    if (!GoesOutUnproven(command) && OwesOther(wire, attempt) && !Prove(wire, attempt, mode))
        return Frame{};
    if (!transport_.write(wire)) {
        sendFailed_ = true;
        return Frame{};
    }
    Owe(wire);
    const Millis deadline = waiter_.now() + timeout;
    while (const std::optional<Frame> reply = NextReply(deadline, mode, true))
        if (!AnswersAnotherCommand(*reply, command))
            return *reply;
    return Frame{};
}

void FrameLink::Reset() {
    owed_.clear();
    received_.clear();
}

} // namespace rq7::device
