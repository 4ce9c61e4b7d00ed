#pragma once
// One request/reply exchange at a time over a Transport: sends a frame and
// collects the reply within a time-out, waiting through the Waiter (never a
// spin). Retries belong to the callers.

#include "device/Frame.h"
#include "device/Transport.h"
#include "device/Waiter.h"

#include <cstdint>
#include <map>

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
    //  - when a reply to an earlier request of the same command but other
    //    bytes may still come (one of that request's waits timed out or was
    //    cancelled), drops whatever arrives until kLateReplyHorizon has
    //    passed since that request last went out and the line has then been
    //    quiet for kQuietGap, so that a late reply can never be taken for
    //    the answer to another request. Late replies of other commands need
    //    no such wait: their answer codes tell them apart (see below).
    //    Repeats of the same request are sent at once: any of their replies
    //    is a right one. The last repeat counts, because the reply a repeat
    //    took may have been an earlier one's, leaving its own still to come;
    //  - throws away whatever is waiting in the receive buffer.
    // While waiting, a valid reply carrying the answer code of another
    // command of the protocol is a late reply to an earlier request: it is
    // dropped and the wait goes on to the same deadline.
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
    // A request whose reply may still arrive: one of its waits was given up
    // since it was first sent.
    struct Abandoned {
        Bytes wire;
        Millis lastSentAt{0};
    };

    Waiter::Wake wait(Millis deadline, CancelMode mode);
    // ReceiveFrame with an absolute deadline.
    Frame ReceiveUntil(Millis deadline, CancelMode mode);
    // Drops bytes until the late-reply horizon of `abandoned` has passed
    // and the line is quiet; false when cancelled.
    bool Settle(const Abandoned& abandoned, CancelMode mode);

    Transport& transport_;
    Waiter& waiter_;
    bool timeoutFlag_ = false;
    bool cancelled_ = false;
    bool sendFailed_ = false;
    // By command code: the last given-up request of that command.
    std::map<std::uint8_t, Abandoned> abandoned_;
};

} // namespace rq7::device
