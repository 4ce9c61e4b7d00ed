#include "simulator/DeviceLine.h"

#include <algorithm>

namespace rq7::sim {

DeviceLine::DeviceLine(SimulatedDevice& device, std::uint32_t baud) : device_(device) {
    // 10 bits per byte (start, 8 data, stop), rounded to whole microseconds.
    if (baud > 0)
        byteTime_ = Micros((10'000'000 + baud / 2) / baud);
}

Micros DeviceLine::arrival(Micros sentAt, Micros& freeAt) const {
    // A byte cannot start before the one ahead of it has left; unpaced bytes
    // still keep their order.
    freeAt = std::max(sentAt, freeAt) + byteTime_;
    return freeAt;
}

void DeviceLine::hostWrite(const std::uint8_t* data, std::size_t length, Micros now) {
    for (std::size_t i = 0; i < length; ++i)
        toDevice_.push_back({arrival(now, deviceLineFree_), data[i]});
}

void DeviceLine::advance(Micros now) {
    while (!toDevice_.empty() && toDevice_.front().at <= now) {
        const Timed in = toDevice_.front();
        toDevice_.pop_front();
        auto reply = device_.receive(in.byte, in.at);
        if (!reply)
            continue;
        // A stall begins once the replies ahead have left.
        if (reply->hold > Micros{0})
            hostLineFree_ = std::max(reply->sendAt, hostLineFree_) + reply->hold;
        for (std::uint8_t b : reply->wire)
            toHost_.push_back({arrival(reply->sendAt, hostLineFree_), b});
    }
}

Bytes DeviceLine::takeArrived(Micros now) {
    advance(now);
    Bytes out;
    while (!toHost_.empty() && toHost_.front().at <= now) {
        out.push_back(toHost_.front().byte);
        toHost_.pop_front();
    }
    return out;
}

bool DeviceLine::hasArrived(Micros now) {
    advance(now);
    return !toHost_.empty() && toHost_.front().at <= now;
}

std::optional<Micros> DeviceLine::nextArrival() const {
    if (toHost_.empty())
        return std::nullopt;
    return toHost_.front().at;
}

std::optional<Micros> DeviceLine::nextEvent() const {
    std::optional<Micros> next;
    if (!toDevice_.empty())
        next = toDevice_.front().at;
    if (!toHost_.empty() && (!next || toHost_.front().at < *next))
        next = toHost_.front().at;
    return next;
}

} // namespace rq7::sim
