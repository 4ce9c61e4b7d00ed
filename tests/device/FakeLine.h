#pragma once
// Test doubles for the device link: a line whose far end is a scripted
// device and a clock that jumps straight to the next event, with the
// recording status and prompter ports of the test support. Twelve retries
// run in microseconds.

#include "device/Transport.h"
#include "device/Waiter.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rq7::device::test {

using ::rq7::test::RecordingStatus;
using ::rq7::test::ScriptedPrompter;

// Bytes that reach the PC's receive buffer at a given time.
struct Arrival {
    Millis at;
    Bytes bytes;
};

struct SentFrame {
    Millis at;
    Bytes wire; // as written, checksum and CR included
};

class FakeLine : public Transport {
public:
    // The far end: called with each request as written and the time; returns
    // what comes back and when.
    std::function<std::vector<Arrival>(const Bytes& wire, Millis now)> device;
    // Called after each request is recorded (e.g. to press Storno).
    std::function<void(const SentFrame&)> onSent;

    bool openFails = false;
    std::string openFailReason = "No such file or directory";

    explicit FakeLine(Millis& clock) : clock_(clock) {}

    bool open(const std::string& name, std::string& reason) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(const Bytes& bytes) override;
    Bytes readAvailable() override;
    void discardInput() override;
    std::uint64_t receivedCount() const override { return received_; }
    bool lost() const override { return lost_; }

    // Test side.
    // The port goes away: closed, writes fail, waits end.
    void lose() {
        lost_ = true;
        open_ = false;
    }
    void arrive(Millis at, Bytes bytes);
    bool hasInput();
    bool hasInputByte(std::uint8_t byte);
    std::optional<Millis> nextArrival() const;
    const std::vector<SentFrame>& sent() const { return sent_; }
    const std::string& openedName() const { return openedName_; }
    int discards() const { return discards_; }

private:
    void deliver();

    Millis& clock_;
    bool open_ = false;
    std::string openedName_;
    std::deque<Arrival> inFlight_; // ordered by time
    Bytes buffer_;
    std::uint64_t received_ = 0;
    bool lost_ = false;
    std::vector<SentFrame> sent_;
    int discards_ = 0;
};

class FakeWaiter : public Waiter {
public:
    FakeWaiter(Millis& clock, FakeLine& line, std::function<bool()> cancel)
        : clock_(clock), line_(line), cancel_(std::move(cancel)) {}

    // Runs at the start of every wait, as the event loop would run a click.
    std::function<void()> onWait;
    // Frame waits sleep through input until the terminator is waiting, as
    // the event-loop waiter does; otherwise any input ends them.
    bool wakesOnTerminatorOnly = false;

    Millis now() const override { return clock_; }
    Wake waitUntil(Transport& transport, Millis deadline) override;
    Wake waitIgnoringCancel(Transport& transport, Millis deadline) override;
    Wake waitForTerminator(Transport& transport, std::uint8_t terminator, Millis deadline,
                           CancelMode mode) override;

    struct WaitRecord {
        std::size_t requestsSent; // requests written before this wait
        Millis deadline;
    };
    // Every wait, in order.
    const std::vector<WaitRecord>& waits() const { return waits_; }

private:
    Wake wait(Millis deadline, bool honourCancel, std::optional<std::uint8_t> terminator = {});

    Millis& clock_;
    FakeLine& line_;
    std::function<bool()> cancel_;
    std::vector<WaitRecord> waits_;
};

// The reply time-out each request of a command was given: the deadline of
// the first wait after it, less the time it was sent.
std::vector<long> TimeoutsOfRequests(const FakeLine& line, const FakeWaiter& waiter,
                                     unsigned char command);

} // namespace rq7::device::test
