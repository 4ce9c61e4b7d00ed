#include "tests/device/FakeLine.h"

#include <algorithm>

namespace rq7::device::test {

bool FakeLine::open(const std::string& name, std::string& reason) {
    openedName_ = name;
    if (openFails) {
        reason = openFailReason;
        return false;
    }
    open_ = true;
    lost_ = false;
    received_ = 0;
    return true;
}

bool FakeLine::write(const Bytes& bytes) {
    if (!open_)
        return false;
    sent_.push_back({clock_, bytes});
    if (onSent)
        onSent(sent_.back());
    if (device)
        for (Arrival& arrival : device(bytes, clock_))
            arrive(arrival.at, std::move(arrival.bytes));
    return true;
}

void FakeLine::arrive(Millis at, Bytes bytes) {
    const auto later =
        std::upper_bound(inFlight_.begin(), inFlight_.end(), at,
                         [](Millis time, const Arrival& arrival) { return time < arrival.at; });
    inFlight_.insert(later, Arrival{at, std::move(bytes)});
}

void FakeLine::deliver() {
    while (!inFlight_.empty() && inFlight_.front().at <= clock_) {
        const Bytes& bytes = inFlight_.front().bytes;
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        received_ += bytes.size();
        inFlight_.pop_front();
    }
}

Bytes FakeLine::readAvailable() {
    deliver();
    Bytes out;
    out.swap(buffer_);
    return out;
}

void FakeLine::discardInput() {
    deliver();
    buffer_.clear();
    ++discards_;
}

bool FakeLine::hasInput() {
    deliver();
    return !buffer_.empty();
}

bool FakeLine::hasInputByte(std::uint8_t byte) {
    deliver();
    return std::find(buffer_.begin(), buffer_.end(), byte) != buffer_.end();
}

std::optional<Millis> FakeLine::nextArrival() const {
    if (inFlight_.empty())
        return std::nullopt;
    return inFlight_.front().at;
}

Waiter::Wake FakeWaiter::waitUntil(Transport&, Millis deadline) {
    return wait(deadline, true);
}

Waiter::Wake FakeWaiter::waitIgnoringCancel(Transport&, Millis deadline) {
    return wait(deadline, false);
}

Waiter::Wake FakeWaiter::waitForTerminator(Transport& transport, std::uint8_t terminator,
                                           Millis deadline, CancelMode mode) {
    if (!wakesOnTerminatorOnly)
        return Waiter::waitForTerminator(transport, terminator, deadline, mode);
    return wait(deadline, mode == CancelMode::Honoured, terminator);
}

Waiter::Wake FakeWaiter::wait(Millis deadline, bool honourCancel,
                              std::optional<std::uint8_t> terminator) {
    waits_.push_back({line_.sent().size(), deadline});
    if (onWait)
        onWait();
    for (;;) {
        if (line_.lost())
            return Wake::Cancel;
        if (terminator ? line_.hasInputByte(*terminator) : line_.hasInput())
            return Wake::Data;
        if (honourCancel && cancel_ && cancel_())
            return Wake::Cancel;
        if (clock_ >= deadline)
            return Wake::Deadline;
        const std::optional<Millis> next = line_.nextArrival();
        if (!next || *next > deadline) {
            clock_ = deadline;
            return Wake::Deadline;
        }
        clock_ = std::max(clock_, *next);
    }
}

std::vector<long> TimeoutsOfRequests(const FakeLine& line, const FakeWaiter& waiter,
                                     unsigned char command) {
    std::vector<long> timeouts;
    const auto& sent = line.sent();
    for (std::size_t i = 0; i < sent.size(); ++i) {
        if (sent[i].wire.empty() || sent[i].wire[0] != command)
            continue;
        for (const FakeWaiter::WaitRecord& wait : waiter.waits()) {
            if (wait.requestsSent == i + 1) {
                timeouts.push_back((wait.deadline - sent[i].at).count());
                break;
            }
        }
    }
    return timeouts;
}

} // namespace rq7::device::test
