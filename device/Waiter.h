#pragma once
// The link's clock and its only way to wait. A wait ends when the transport
// has data, when the deadline passes or when the user cancels, whichever
// comes first; the real one runs the event loop meanwhile (no busy spin),
// the fake one jumps its clock.

#include <chrono>
#include <cstdint>

namespace rq7::device {

class Transport;

using Millis = std::chrono::milliseconds;

// Whether the user's cancel may cut a wait short.
enum class CancelMode { Honoured, Ignored };

class Waiter {
public:
    enum class Wake { Data, Deadline, Cancel };

    virtual ~Waiter() = default;
    // Monotonic time.
    virtual Millis now() const = 0;
    // Returns at once with Data when bytes are already waiting, with Cancel
    // when the user's cancel is already set, with Deadline when `deadline`
    // (a value of now()) has passed. A lost transport (Transport::lost)
    // ends every wait at once with Cancel, also the waits that ignore the
    // user's cancel: nothing more can come, and the caller must not poll it.
    virtual Wake waitUntil(Transport& transport, Millis deadline) = 0;
    // The same wait for exchanges that the user's cancel must not cut short
    // (identification, hardware query, end of programming): the user's
    // cancel never ends it. A waiter that knows a cancel must override this; the default
    // suits waiters without one.
    virtual Wake waitIgnoringCancel(Transport& transport, Millis deadline) {
        return waitUntil(transport, deadline);
    }
    // The wait for the end of a frame: waitUntil (Honoured) or
    // waitIgnoringCancel (Ignored), except that input may end it only once a
    // byte equal to `terminator` is waiting; the bytes before it stay
    // waiting. A reply coming in byte by byte then wakes the caller once
    // instead of once per byte. The default ends at any input, which the
    // caller must cope with anyway (it looks at what it read).
    virtual Wake waitForTerminator(Transport& transport, std::uint8_t terminator, Millis deadline,
                                   CancelMode mode) {
        (void)terminator;
        return mode == CancelMode::Honoured ? waitUntil(transport, deadline)
                                            : waitIgnoringCancel(transport, deadline);
    }
};

} // namespace rq7::device
