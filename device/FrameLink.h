#pragma once
// One request/reply exchange at a time over a Transport: sends a frame and
// collects the reply within a time-out, waiting through the Waiter (never a
// spin). Retries belong to the callers.

#include "device/Frame.h"
#include "device/Transport.h"
#include "device/Waiter.h"

namespace rq7::device {

// Whether the user's cancel may cut a wait short.
enum class CancelMode { Honoured, Ignored };

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
    //  - when an earlier, different request may still be answered (its wait
    //    timed out or was cancelled), waits until the line has been quiet for
    //    that wait's time-out and drops whatever came, so that a late reply
    //    can never be taken for the answer to another request;
    //  - throws away whatever is waiting in the receive buffer.
    // Returns ReceiveFrame's result; Length 0 at once when sending failed.
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
    // Drops bytes until the line is quiet; false when cancelled.
    bool Settle(CancelMode mode);

    Transport& transport_;
    Waiter& waiter_;
    bool timeoutFlag_ = false;
    bool cancelled_ = false;
    bool sendFailed_ = false;
    // A reply to lastRequest_ may still arrive.
    bool replyMayFollow_ = false;
    Millis quietTime_{0};
    Bytes lastRequest_;
};

} // namespace rq7::device
