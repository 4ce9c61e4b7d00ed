#pragma once
// One request/reply exchange at a time over a Transport: sends a frame and
// collects the reply within a time-out, waiting through the Waiter (never a
// spin). Retries belong to the callers.

#include "device/Frame.h"
#include "device/Transport.h"
#include "device/Waiter.h"

#include <cstdint>
#include <optional>

namespace rq7::device {

// A device may answer a request long after the requester stopped waiting for
// it (a busy device answers up to about two seconds late), but it answers
// requests in the order they came. By this time after a request its reply,
// if any, has arrived whole.
inline constexpr Millis kLateReplyHorizon{3000};
// A line silent this long (the shortest reply time-out) has no reply under
// way.
inline constexpr Millis kQuietGap{100};
// The request that flushes the line: the read-only hardware query, whose
// answer code no block command shares.
inline constexpr std::uint8_t kBarrierCommand = 0x03;

// Whether a request is a further attempt of the exchange before it.
enum class Attempt { First, Repeat };

class FrameLink {
public:
    FrameLink(Transport& transport, Waiter& waiter) : transport_(transport), waiter_(waiter) {}

    // Sends the data bytes, the checksum and CR; false when the transport
    // refused them. Reads and discards nothing.
    bool SendFrame(const Frame& frame);

    // Collects one reply: bytes are gathered (at most 101, later ones are
    // dropped) until the last byte received so far is a CR. Length 0 when
    // the time-out expired first (also when the CR came with it), when the
    // checksum does not match, and when the user's cancel ended the wait.
    Frame ReceiveFrame(Millis timeout, CancelMode mode = CancelMode::Ignored);

    // One exchange as the protocol code uses it. Before the request:
    //  - when a reply to an earlier, different request may still come (one
    //    of its attempts timed out, was cancelled or got a reply that could
    //    not be used), sends the hardware query as a barrier and drops
    //    everything that arrives until its answer: the device answers in
    //    order, so by then every earlier reply is in. Should the barrier
    //    get no answer within kLateReplyHorizon, the line is instead
    //    waited on until it has been quiet for kQuietGap. A repeat of the
    //    same request (a further attempt of one exchange) is sent at once:
    //    any of its attempts' replies is a right one, and the replies of
    //    all of them count as still to come;
    //  - throws away whatever is waiting in the receive buffer.
    // While waiting, a valid reply carrying the answer code of another
    // command of the protocol is a late reply to an earlier request: it is
    // dropped and the wait goes on to the same deadline.
    // Returns ReceiveFrame's result; Length 0 at once when sending failed,
    // and when the user's cancel ended the barrier (Cancelled() is set).
    Frame Exchange(const Frame& request, Millis timeout, CancelMode mode,
                   Attempt attempt = Attempt::First);

    // True once the last reply's time-out expired.
    bool TimeoutFlag() const { return timeoutFlag_; }
    // The last wait (reply or settling) was ended by the user's cancel.
    bool Cancelled() const { return cancelled_; }
    // The last Exchange could not send its request.
    bool SendFailed() const { return sendFailed_; }

    // The caller could not use the last reply (too short, say): replies to
    // that request are treated as still to come.
    void ReplyUnusable();
    // Forgets any reply still expected (after the port was closed).
    void Reset();

    Transport& transport() { return transport_; }
    Waiter& waiter() { return waiter_; }

private:
    // A request whose replies may still arrive.
    struct Unsettled {
        Bytes wire;
        Millis lastSentAt{0};
    };

    Waiter::Wake wait(Millis deadline, CancelMode mode);
    // ReceiveFrame with an absolute deadline.
    Frame ReceiveUntil(Millis deadline, CancelMode mode);
    // Sends the barrier and drops everything until its answer, or falls
    // back to Settle; false when cancelled or the barrier could not be sent.
    bool Barrier(CancelMode mode);
    // Drops bytes until the late-reply horizon of `request` has passed and
    // the line is quiet; false when cancelled.
    bool Settle(const Unsettled& request, CancelMode mode);

    Transport& transport_;
    Waiter& waiter_;
    bool timeoutFlag_ = false;
    bool cancelled_ = false;
    bool sendFailed_ = false;
    // The last request whose replies may still come, if any.
    std::optional<Unsettled> unsettled_;
    Bytes lastWire_;
    Millis lastSentAt_{0};
};

} // namespace rq7::device
