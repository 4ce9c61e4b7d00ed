#pragma once
// One request/reply exchange at a time over a Transport: sends a frame and
// collects the reply within a time-out, waiting through the Waiter (never a
// spin). Retries belong to the callers.

#include "device/Frame.h"
#include "device/Transport.h"
#include "device/Waiter.h"

namespace rq7::device {

// A device may answer a request long after the requester stopped waiting for
// it (a busy device answers up to about two seconds late). By this time after
// a request its reply, if any, has arrived whole.
inline constexpr Millis kLateReplyHorizon{3000};
// A line silent this long (the shortest reply time-out) has no reply under
// way.
inline constexpr Millis kQuietGap{100};

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
    //    of that request's waits timed out or was cancelled), drops whatever
    //    arrives until kLateReplyHorizon has passed since that request last
    //    went out and the line has then been quiet for kQuietGap, so that a
    //    late reply can never be taken for the answer to another request.
    //    Repeats of the same request are sent at once: any of their replies
    //    is a right one. The last repeat counts, because the reply a repeat
    //    took may have been an earlier one's, leaving its own still to come;
    //  - throws away whatever is waiting in the receive buffer.
    // Returns ReceiveFrame's result; Length 0 at once when sending failed,
    // and when the user's cancel ended the settling (Cancelled() is set).
    Frame Exchange(const Frame& request, Millis timeout, CancelMode mode);

    // True once the last reply's time-out expired.
    bool TimeoutFlag() const { return timeoutFlag_; }
    // The last wait (reply or settling) was ended by the user's cancel.
    bool Cancelled() const { return cancelled_; }
    // The last Exchange could not send its request.
    bool SendFailed() const { return sendFailed_; }

    // Forgets any reply still expected (after the port was closed).
    void Reset();

    Transport& transport() { return transport_; }
    Waiter& waiter() { return waiter_; }

private:
    Waiter::Wake wait(Millis deadline, CancelMode mode);
    // Drops bytes until the late-reply horizon of the last request has
    // passed and the line is quiet; false when cancelled.
    bool Settle(CancelMode mode);

    Transport& transport_;
    Waiter& waiter_;
    bool timeoutFlag_ = false;
    bool cancelled_ = false;
    bool sendFailed_ = false;
    // A reply to lastRequest_ may still arrive: one of its waits was given
    // up since it was first sent.
    bool replyMayFollow_ = false;
    Bytes lastRequest_;
    Millis lastSentAt_{0};
};

} // namespace rq7::device
