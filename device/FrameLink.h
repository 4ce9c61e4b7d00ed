#pragma once
// One request/reply exchange at a time over a Transport: sends a frame and
// collects the reply within a time-out, waiting through the Waiter (never a
// spin). Retries belong to the callers; the link keeps the line such that a
// reply it hands out can only answer the request it was asked for.

#include "device/Frame.h"
#include "device/Transport.h"
#include "device/Waiter.h"

#include <cstdint>
#include <deque>
#include <optional>

namespace rq7::device {

// A device answers the requests in the order they came, each at most once,
// but a busy one may hold a reply back for up to about two seconds, after
// the replies before it. A line silent this long while replies are still
// owed has lost them.
inline constexpr Millis kLateReplyHorizon{3000};
// The request that proves the line: the read-only hardware query, whose
// answer code no block command shares.
inline constexpr std::uint8_t kBarrierCommand = 0x03;
// The barrier's first sending waits until the line has been silent for
// kLateReplyHorizon. After that nothing owed is still on its way but the
// barrier's answer, so it is retried like a block read: as many attempts,
// each waiting 100 ms longer (200 ms for the second), 10.7 s of silence in
// all before the line is given up on.
inline constexpr int kBarrierAttempts = 12;
inline constexpr Millis kBarrierRetryStep{100};

// Whether a request is a further attempt of the exchange before it.
enum class Attempt { First, Repeat };

class FrameLink {
public:
    FrameLink(Transport& transport, Waiter& waiter) : transport_(transport), waiter_(waiter) {}

    // Sends the data bytes, the checksum and CR; false when the transport
    // refused them. Its reply counts as owed.
    bool SendFrame(const Frame& frame);

    // Collects the next reply: the bytes up to and including the next CR
    // (at most 101 are kept; a longer reply is damaged). Length 0 when the
    // time-out expired first (also when the CR came with it; what came of
    // an unfinished reply is dropped), when the checksum does not match,
    // and when the user's cancel ended the wait. Bytes after the CR stay
    // for the next reply.
    Frame ReceiveFrame(Millis timeout, CancelMode mode = CancelMode::Ignored);

    // One exchange as the protocol code uses it.
    //
    // The line never holds replies of two different block requests. The
    // other commands have one form each, answered alike under a code of its
    // own. So a reply with the request's answer code answers this request,
    // whichever of its attempts it belongs to, and is taken as soon as it
    // is in.
    //
    // Before any other request than the programming-mode request and the
    // hardware query, while a block request's reply may still come, the
    // line is proven: the hardware query goes out as a barrier
    // and nothing is taken until every owed reply is accounted for. Each
    // attempt sent gets at most one reply and each reply ends at its CR,
    // so every reply received, damaged or not, settles one owed attempt:
    // a reply with the answer code of a command settles the oldest owed
    // attempt of that command and shows every attempt before it lost
    // (the device answers in order), or nothing when none of that command
    // is owed; any other reply settles the oldest owed attempt. The barrier's answer thus settles
    // everything sent before it. The barrier is sent again when the line stays silent (see
    // kBarrierAttempts); the whole proof also ends after one horizon per
    // owed attempt and barrier attempt. A line that cannot be proven sets
    // OutOfOrder().
    //
    // Returns the reply, or Length 0 (none, damaged, time-out, cancel).
    // Length 0 at once when sending failed or the proof ended unproven
    // (Cancelled(), SendFailed() or OutOfOrder() tells why). A valid reply
    // with the answer code of another command is skipped within the same
    // deadline.
    Frame Exchange(const Frame& request, Millis timeout, CancelMode mode,
                   Attempt attempt = Attempt::First);

    // True once the last reply's time-out expired.
    bool TimeoutFlag() const { return timeoutFlag_; }
    // The last wait (reply or proof) was ended by the user's cancel.
    bool Cancelled() const { return cancelled_; }
    // The last Exchange could not send its request.
    bool SendFailed() const { return sendFailed_; }
    // The last Exchange could not prove the line: the device does not
    // answer in order, or has stopped answering.
    bool OutOfOrder() const { return outOfOrder_; }

    // Forgets every reply still owed (after the port was closed).
    void Reset();

    Transport& transport() { return transport_; }
    Waiter& waiter() { return waiter_; }

private:
    // Consecutive sendings of one request whose replies may still come.
    struct Owed {
        Bytes wire;
        int count = 0;
    };

    // The next reply completed before `deadline`, settled against the
    // owed attempts; nothing on time-out or cancel. `dropUnfinished` drops
    // the start of a reply still coming when the deadline passes.
    std::optional<Frame> NextReply(Millis deadline, CancelMode mode, bool dropUnfinished);
    // Takes the bytes waiting and settles the replies complete among them.
    void TakeWaiting();
    // Cuts the first complete reply off the received bytes, if any.
    std::optional<Frame> CutReply();
    void Owe(const Bytes& wire);
    void Settle(const Frame& reply);
    // A reply of another request than `wire` may still come.
    bool OwesOther(const Bytes& wire, Attempt attempt) const;
    // Sends the barrier until OwesOther is false; false when cancelled, when
    // it could not be sent, or when the line stayed unproven.
    bool Prove(const Bytes& wire, Attempt attempt, CancelMode mode);

    Transport& transport_;
    Waiter& waiter_;
    bool timeoutFlag_ = false;
    bool cancelled_ = false;
    bool sendFailed_ = false;
    bool outOfOrder_ = false;
    std::deque<Owed> owed_;
    Bytes received_;              // read, not yet cut into replies
    std::uint64_t bytesRead_ = 0; // ever read, to tell a silent line
};

} // namespace rq7::device
