#pragma once
// The cable between a host and the simulated device: request bytes travel
// to the device, reply bytes back, each direction optionally paced like a
// serial line (10 bits per byte at the given baud rate, one byte after the
// other). It holds no clock: the caller says what time it is, so the same
// line runs on a virtual clock in tests and on the real one in rq7-sim.

#include "simulator/SimClock.h"
#include "simulator/SimulatedDevice.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace rq7::sim {

class DeviceLine {
public:
    // baud 0: bytes take no time on the wire.
    DeviceLine(SimulatedDevice& device, std::uint32_t baud);

    // Bytes the host sends at `now`.
    void hostWrite(const std::uint8_t* data, std::size_t length, Micros now);
    void hostWrite(const Bytes& bytes, Micros now) { hostWrite(bytes.data(), bytes.size(), now); }
    // Hands the device every request byte that has reached it by `now`.
    void advance(Micros now);
    // Reply bytes that have reached the host by `now` (runs advance first).
    Bytes takeArrived(Micros now);
    // True when reply bytes have reached the host by `now`.
    bool hasArrived(Micros now);
    // Throws away reply bytes that have reached the host by `now`.
    void discardArrived(Micros now) { (void)takeArrived(now); }
    // When the next byte reaches either end; nothing when the line is idle.
    std::optional<Micros> nextEvent() const;
    // When the next reply byte reaches the host; nothing when none is under way.
    std::optional<Micros> nextArrival() const;

    SimulatedDevice& device() { return device_; }

private:
    struct Timed {
        Micros at;
        std::uint8_t byte;
    };
    // Arrival times of bytes put on a line that is free again at `freeAt`.
    Micros arrival(Micros sentAt, Micros& freeAt) const;

    SimulatedDevice& device_;
    Micros byteTime_{0};
    std::deque<Timed> toDevice_;
    std::deque<Timed> toHost_;
    Micros deviceLineFree_{0};
    Micros hostLineFree_{0};
};

} // namespace rq7::sim
