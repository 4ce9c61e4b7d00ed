#include "simulator/SimulatedLink.h"

#include "DeviceTestSupport.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace rq7::sim;
using namespace rq7::sim::testing;
using namespace std::chrono_literals;
using rq7::device::Millis;
using Wake = rq7::device::Waiter::Wake;

namespace {

struct Fixture {
    explicit Fixture(DeviceConfig config = {}, std::uint32_t baud = 0)
        : device(config), link(device, baud) {
        std::string reason;
        EXPECT_TRUE(link.open("sim", reason)) << reason;
    }
    // Sends the request and collects bytes until a CR or the deadline.
    Bytes exchange(const Bytes& body, Millis timeout) {
        EXPECT_TRUE(link.write(encodeFrame(body)));
        return receive(timeout);
    }
    // Collects bytes until a CR or the deadline.
    Bytes receive(Millis timeout) {
        const Millis deadline = link.now() + timeout;
        Bytes got;
        while (got.empty() || got.back() != kCarriageReturn) {
            if (link.waitUntil(link, deadline) != Wake::Data)
                break;
            const Bytes part = link.readAvailable();
            EXPECT_FALSE(part.empty()) << "woken for data that is not there";
            got.insert(got.end(), part.begin(), part.end());
        }
        return got;
    }
    SimulatedDevice device;
    SimulatedLink link;
};

DeviceConfig active() {
    return DeviceConfig{};
}

} // namespace

TEST(SimulatedLink, UnpacedReplyIsThereAtOnce) {
    Fixture f;
    EXPECT_EQ(f.exchange({command::Programming}, 500ms), (Bytes{0x81, 0x82, 0x0D}));
    EXPECT_EQ(f.link.now(), 0ms);
    EXPECT_EQ(f.exchange({command::Identify}, 100ms),
              encodeFrame(Bytes{0x82, '2', '0', '3', 'D', '3', '0', '5', '0', '1', '0'}));
}

TEST(SimulatedLink, ReplyDelayMovesVirtualClock) {
    DeviceConfig config = active();
    config.replyDelay = 7ms;
    Fixture f(config);
    EXPECT_EQ(f.exchange({command::Programming}, 500ms).size(), 3u);
    EXPECT_EQ(f.link.now(), 7ms);
}

TEST(SimulatedLink, PacedLineCarriesOneByteEvery10Bits) {
    Fixture f(active(), 19200);
    f.exchange({command::Programming}, 500ms);
    const Micros start = f.link.nowMicros();
    const unsigned waitsBefore = f.link.waits();
    const Bytes reply = f.exchange(readRequest(0), 100ms);
    EXPECT_EQ(reply.size(), 19u);
    // 7 request bytes to the device, then 19 reply bytes back, 521 us each.
    EXPECT_EQ(f.link.nowMicros() - start, Micros(26 * 521));
    EXPECT_EQ(f.link.waits() - waitsBefore, 19u) << "each byte wakes the requester";
}

TEST(SimulatedLink, WaitEndsAtDeadlineWhenNothingComes) {
    Fixture f;
    // Not in programming mode: the identification goes unanswered.
    EXPECT_TRUE(f.link.write(encodeFrame({command::Identify})));
    EXPECT_EQ(f.link.waitUntil(f.link, 100ms), Wake::Deadline);
    EXPECT_EQ(f.link.now(), 100ms);
    EXPECT_EQ(f.link.waitUntil(f.link, 50ms), Wake::Deadline) << "a past deadline returns at once";
    EXPECT_EQ(f.link.now(), 100ms);
    EXPECT_TRUE(f.link.readAvailable().empty());
}

TEST(SimulatedLink, DataAlreadyWaitingWakesAtOnceAndCancelWins) {
    Fixture f;
    f.link.write(encodeFrame({command::Programming}));
    EXPECT_EQ(f.link.waitUntil(f.link, 500ms), Wake::Data);
    EXPECT_EQ(f.link.waitUntil(f.link, 500ms), Wake::Data) << "still unread";
    bool cancel = true;
    f.link.setCancelProbe([&cancel] { return cancel; });
    EXPECT_EQ(f.link.waitUntil(f.link, 500ms), Wake::Cancel);
    EXPECT_EQ(f.link.waitIgnoringCancel(f.link, 500ms), Wake::Data);
    cancel = false;
    EXPECT_EQ(f.link.waitUntil(f.link, 500ms), Wake::Data);
    EXPECT_EQ(f.link.readAvailable(), (Bytes{0x81, 0x82, 0x0D}));
}

TEST(SimulatedLink, WaitIgnoringCancelRunsToItsDeadline) {
    Fixture f;
    f.link.setCancelProbe([] { return true; });
    // Outside programming mode the identification goes unanswered.
    f.link.write(encodeFrame({command::Identify}));
    EXPECT_EQ(f.link.waitIgnoringCancel(f.link, 100ms), Wake::Deadline);
    EXPECT_EQ(f.link.now(), 100ms);
    EXPECT_EQ(f.link.waitUntil(f.link, 200ms), Wake::Cancel);
    EXPECT_EQ(f.link.now(), 100ms) << "a cancelled wait does not move the clock";
}

TEST(SimulatedLink, LateReplyArrivesDuringALaterWaitAndTheRetrysReplyFollowsIt) {
    Fixture f(active(), 19200);
    f.exchange({command::Programming}, 500ms);
    f.device.loadEeprom(Bytes(1024, 0x21));
    f.device.forceFaults(fault::Late);
    const Millis start = f.link.now();
    EXPECT_TRUE(f.exchange(readRequest(0), 100ms).empty());
    // The retry is heard at once, but its reply waits for the late one.
    const Bytes late = f.exchange(readRequest(0), 2500ms);
    const Millis lateAt = f.link.now();
    EXPECT_GT(lateAt, start + 2000ms);
    EXPECT_LT(lateAt, start + 2100ms);
    EXPECT_EQ(blockOf(*bodyOf(late)), Bytes(8, 0x21));
    const Bytes retry = f.receive(100ms);
    EXPECT_EQ(blockOf(*bodyOf(retry)), Bytes(8, 0x21));
    EXPECT_GT(f.link.now(), lateAt);
}

TEST(SimulatedLink, StallsOfQueuedRepliesAddUpWhereLateRepliesOverlap) {
    // Three reads heard at once, every reply delayed by 2 s: late replies
    // all leave at about 2 s, stalled ones one 2 s wait after the other.
    for (const FaultSet delay : {fault::Late, fault::Stall}) {
        Fixture f(active(), 19200);
        f.exchange({command::Programming}, 500ms);
        const Millis start = f.link.now();
        for (int i = 0; i < 3; ++i) {
            f.device.forceFaults(delay);
            EXPECT_TRUE(f.link.write(encodeFrame(readRequest(0))));
        }
        for (int i = 1; i <= 3; ++i) {
            ASSERT_TRUE(bodyOf(f.receive(10000ms))) << "case: fault " << delay << ", reply " << i;
            const Millis due = start + (delay == fault::Stall ? i * 2000ms : 2000ms);
            EXPECT_GT(f.link.now(), due) << "case: fault " << delay << ", reply " << i;
            EXPECT_LT(f.link.now(), due + i * 30ms) << "case: fault " << delay << ", reply " << i;
        }
        EXPECT_NEAR(static_cast<double>(f.device.counters().delayImposed.count()),
                    delay == fault::Stall ? 6e6 : 2e6, 5e4)
            << "case: fault " << delay;
    }
}

TEST(SimulatedLink, BytesReachingAClosedPortAreLost) {
    DeviceConfig config = active();
    config.replyDelay = 10ms;
    Fixture f(config);
    f.link.write(encodeFrame({command::Programming}));
    f.link.close();
    EXPECT_FALSE(f.link.isOpen());
    EXPECT_FALSE(f.link.write(encodeFrame({command::Identify})));
    EXPECT_TRUE(f.link.readAvailable().empty());
    EXPECT_EQ(f.link.waitUntil(f.link, 50ms), Wake::Deadline);
    std::string reason;
    ASSERT_TRUE(f.link.open("again", reason));
    EXPECT_TRUE(f.link.readAvailable().empty()) << "the reply came while closed";
    EXPECT_TRUE(f.device.inProgrammingMode()) << "yet the device heard the request";

    // A reply still under way when the port reopens does arrive.
    f.link.write(encodeFrame({command::Hardware}));
    f.link.close();
    ASSERT_TRUE(f.link.open("again", reason));
    EXPECT_EQ(f.link.waitUntil(f.link, 100ms), Wake::Data);
    EXPECT_EQ(f.link.now(), 60ms);
    EXPECT_EQ(f.link.portName(), "again");
}

TEST(SimulatedLink, OpenFailureAndDiscardInput) {
    SimulatedDevice device;
    SimulatedLink link(device);
    link.setOpenFailure("busy");
    std::string reason;
    EXPECT_FALSE(link.open("x", reason));
    EXPECT_EQ(reason, "busy");
    EXPECT_FALSE(link.isOpen());
    link.setOpenFailure("");
    ASSERT_TRUE(link.open("x", reason));
    link.write(encodeFrame({command::Programming}));
    link.discardInput();
    EXPECT_TRUE(link.readAvailable().empty());
    EXPECT_EQ(link.waitUntil(link, 10ms), Wake::Deadline);
}

TEST(SimulatedLink, KeyPressIsWaitedForInVirtualTime) {
    DeviceConfig config = active();
    config.pressAfter = 1200ms;
    Fixture f(config);
    int attempts = 0;
    Bytes reply;
    while (reply.empty() && attempts < 10) {
        ++attempts;
        reply = f.exchange({command::Programming}, 500ms);
    }
    EXPECT_EQ(attempts, 4) << "requests at 0, 500, 1000 and 1500 ms";
    EXPECT_EQ(f.link.now(), 1500ms);
    f.link.advanceBy(250ms);
    EXPECT_EQ(f.link.now(), 1750ms);
}
