#include "simulator/SimulatedLink.h"

#include <chrono>

namespace rq7::sim {

using std::chrono::duration_cast;

SimulatedLink::SimulatedLink(SimulatedDevice& device, std::uint32_t baud) : line_(device, baud) {}

bool SimulatedLink::open(const std::string& portName, std::string& reason) {
    if (!openFailure_.empty()) {
        reason = openFailure_;
        return false;
    }
    // Whatever reached the port while it was closed is gone; bytes still on
    // the way arrive later, as they would on a real cable.
    line_.discardArrived(now_);
    portName_ = portName;
    open_ = true;
    received_ = 0;
    return true;
}

void SimulatedLink::close() {
    if (open_)
        line_.discardArrived(now_);
    open_ = false;
}

bool SimulatedLink::write(const device::Bytes& bytes) {
    if (!open_)
        return false;
    line_.hostWrite(bytes, now_);
    return true;
}

device::Bytes SimulatedLink::readAvailable() {
    if (!open_)
        return {};
    device::Bytes bytes = line_.takeArrived(now_);
    received_ += bytes.size();
    return bytes;
}

void SimulatedLink::discardInput() {
    if (open_)
        received_ += line_.takeArrived(now_).size();
}

device::Millis SimulatedLink::now() const {
    return duration_cast<device::Millis>(now_);
}

void SimulatedLink::moveClockTo(Micros t) {
    if (t <= now_)
        return;
    // Bytes reaching a closed port are lost; the device still hears what was
    // sent before the close.
    if (!open_) {
        while (auto next = line_.nextEvent()) {
            if (*next > t)
                break;
            line_.discardArrived(*next);
        }
    }
    now_ = t;
    line_.advance(now_);
}

void SimulatedLink::advanceBy(device::Millis duration) {
    moveClockTo(now_ + duration_cast<Micros>(duration));
}

device::Waiter::Wake SimulatedLink::waitUntil(device::Transport& /*transport*/,
                                              device::Millis deadline) {
    return wait(deadline, true);
}

device::Waiter::Wake SimulatedLink::waitIgnoringCancel(device::Transport& /*transport*/,
                                                       device::Millis deadline) {
    return wait(deadline, false);
}

device::Waiter::Wake SimulatedLink::wait(device::Millis deadline, bool honourCancel) {
    ++waits_;
    const Micros end = duration_cast<Micros>(deadline);
    for (;;) {
        if (honourCancel && cancelProbe_ && cancelProbe_())
            return Wake::Cancel;
        if (!open_)
            line_.discardArrived(now_);
        else if (line_.hasArrived(now_))
            return Wake::Data;
        if (now_ >= end)
            return Wake::Deadline;
        Micros target = end;
        if (const auto next = line_.nextEvent(); next && *next < target)
            target = *next;
        moveClockTo(target);
    }
}

} // namespace rq7::sim
