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
};

} // namespace rq7::device
