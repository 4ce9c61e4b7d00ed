#pragma once
// The link's clock and its only way to wait. A wait ends when the transport
// has data, when the deadline passes or when the user cancels, whichever
// comes first; the real one runs the event loop meanwhile (no busy spin),
// the fake one jumps its clock.

#include <chrono>

namespace rq7::device {

class Transport;

using Millis = std::chrono::milliseconds;

class Waiter {
public:
    enum class Wake { Data, Deadline, Cancel };

    virtual ~Waiter() = default;
    // Monotonic time.
    virtual Millis now() const = 0;
    // Returns at once with Data when bytes are already waiting, with Cancel
    // when the user's cancel is already set, with Deadline when `deadline`
    // (a value of now()) has passed.
    virtual Wake waitUntil(Transport& transport, Millis deadline) = 0;
    // The same wait for exchanges that the user's cancel must not cut short
    // (identification, hardware query, end of programming): it never returns
    // Cancel. A waiter that knows a cancel must override this; the default
    // suits waiters without one.
    virtual Wake waitIgnoringCancel(Transport& transport, Millis deadline) {
        return waitUntil(transport, deadline);
    }
};

} // namespace rq7::device
