#include "tests/device/LinkFixture.h"

#include <algorithm>

namespace rq7::device::test {
namespace {

class BlockWrite : public LinkFixture {
protected:
    BlockWrite() {
        image.assign(65536, 0);
        for (std::size_t i = 0; i < 64; ++i)
            image[i] = static_cast<std::uint8_t>(0x40 + i);
        device.eeprom.assign(1024, 0xFF);
    }

    TransferResult Write(long usedSize, bool checkWrite) {
        return link.WriteEeprom(image.data(), image.size(), usedSize, checkWrite);
    }

    std::vector<std::uint8_t> image;
};

TEST_F(BlockWrite, BlockOrderByUsedSize) {
    struct Case {
        long usedSize;
        bool verify;
        const char* trace;
    };
    const Case cases[] = {
        {8, false, "W0 W0 W0"},         {9, false, "W0 W0 W8 W0"},
        {20, false, "W0 W0 W8 W16 W0"}, {0, false, "W0 W0 W0"},
        {8, true, "W0 R0 W0 R0 W0 R0"}, {20, true, "W0 R0 W0 R0 W8 R8 W16 R16 W0 R0"},
    };
    for (const Case& c : cases) {
        device.log.clear();
        device.eeprom.assign(1024, 0xFF);
        ActivateOk();
        device.log.clear();
        const TransferResult r = Write(c.usedSize, c.verify);
        EXPECT_EQ(r.outcome, TransferOutcome::Done) << "case: " << c.usedSize << c.verify;
        EXPECT_EQ(device.Trace(), c.trace) << "case: " << c.usedSize << c.verify;
        // The first two writes of block 0 carry zeros, the last the real bytes.
        std::vector<Bytes> block0;
        for (const auto& req : device.log)
            if (req.command == 0x05 && req.address == 0)
                block0.push_back(req.data);
        ASSERT_EQ(block0.size(), 3u) << "case: " << c.usedSize << c.verify;
        EXPECT_EQ(block0[0], Bytes(kBlockSize, 0)) << "case: " << c.usedSize << c.verify;
        EXPECT_EQ(block0[1], Bytes(kBlockSize, 0)) << "case: " << c.usedSize << c.verify;
        EXPECT_EQ(block0[2], Bytes(image.begin(), image.begin() + static_cast<long>(kBlockSize)))
            << "case: " << c.usedSize << c.verify;
        const auto written = static_cast<std::size_t>(BlockEnd(std::max<long>(c.usedSize, 1)));
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + static_cast<long>(written),
                               device.eeprom.begin()))
            << "case: " << c.usedSize << c.verify;
        EXPECT_EQ(device.eeprom[written], 0xFF) << "case: " << c.usedSize << c.verify;
        EXPECT_EQ(image[0], 0x40) << "case: " << c.usedSize << " image keeps its first block";
        EXPECT_EQ(status.shown.back(), texts.get("msg047"));
        EXPECT_FALSE(status.visible) << "case: " << c.usedSize << c.verify;
        link.Deactivate();
    }
}

TEST_F(BlockWrite, UnansweredWriteGetsTenAttempts) {
    ActivateOk();
    device.fault = [](const TestDevice::Request& r, std::size_t,
                      Millis) -> std::optional<std::vector<Arrival>> {
        if (r.command == 0x05)
            return std::vector<Arrival>{};
        return std::nullopt;
    };
    const TransferResult r = Write(100, true);
    EXPECT_EQ(r.outcome, TransferOutcome::BlockFailed);
    EXPECT_EQ(r.address, 0u);
    EXPECT_EQ(TimeoutsOfRequests(line, waiter, 0x05),
              (std::vector<long>{200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100}));
    EXPECT_EQ(image[0], 0x40) << "the image keeps its first block after a failure";
    EXPECT_FALSE(status.visible);
}

TEST_F(BlockWrite, ReadBackThatDiffersFailsOnlyWhenVerifying) {
    // The device acknowledges every write but keeps its old contents.
    device.fault = [](const TestDevice::Request& r, std::size_t,
                      Millis now) -> std::optional<std::vector<Arrival>> {
        if (r.command == 0x05)
            return std::vector<Arrival>{{now + Millis{5}, TestDevice::Frame({0x85})}};
        return std::nullopt;
    };
    ActivateOk();
    const TransferResult r = Write(100, true);
    EXPECT_EQ(r.outcome, TransferOutcome::VerifyFailed);
    EXPECT_EQ(r.address, 0u);
    EXPECT_EQ(device.Trace(), "W0 R0 R0 R0 R0 R0 R0 R0 R0 R0") << "fails after the first block";
    EXPECT_EQ(TimeoutsOfRequests(line, waiter, 0x04),
              (std::vector<long>{200, 300, 400, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(image[0], 0x40);
    EXPECT_EQ(image[8], 0x48) << "a read-back never changes the image";

    device.log.clear();
    const TransferResult unchecked = Write(100, false);
    EXPECT_EQ(unchecked.outcome, TransferOutcome::Done);
    EXPECT_EQ(device.Trace().find('R'), std::string::npos) << "no read without verification";
}

TEST_F(BlockWrite, LateAcknowledgementIsSkippedByTheReadBack) {
    ActivateOk();
    // The first write is acknowledged 250 ms late, after its time-out; the
    // repeat takes that acknowledgement, and its own arrives 52 ms after
    // it went out, while the barrier before the read-back waits: it settles
    // the last owed write, so the read-back need not wait for the barrier.
    int writes = 0;
    device.fault = [this, &writes](const TestDevice::Request& r, std::size_t,
                                   Millis now) -> std::optional<std::vector<Arrival>> {
        if (r.command != 0x05 || ++writes > 2)
            return std::nullopt;
        std::copy(r.data.begin(), r.data.end(), device.eeprom.begin() + r.address);
        const Millis latency{writes == 1 ? 250 : 52};
        return std::vector<Arrival>{{now + latency, TestDevice::Frame({0x85})}};
    };
    const TransferResult r = Write(8, true);
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_EQ(device.Trace().substr(0, 8), "W0 W0 R0");
    const auto sentWrites = Sent(0x05);
    const auto reads = Sent(0x04);
    ASSERT_GE(sentWrites.size(), 2u);
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads[0].at, sentWrites[1].at + Millis{52})
        << "the read-back goes out as soon as every write's acknowledgement is in";
    EXPECT_EQ(TimeoutsOfRequests(line, waiter, 0x04)[0], 200);
    EXPECT_TRUE(std::equal(device.eeprom.begin(), device.eeprom.begin() + 8, image.begin()));
}

TEST_F(BlockWrite, ShortReadBackCountsAsAFailedAttempt) {
    ActivateOk();
    int reads = 0;
    device.fault = [&reads](const TestDevice::Request& r, std::size_t,
                            Millis now) -> std::optional<std::vector<Arrival>> {
        if (r.command != 0x04 || ++reads > 1)
            return std::nullopt;
        // Its four pairs match the zeros just written, and so would the four
        // missing ones if they were read as zeros.
        return std::vector<Arrival>{{now + Millis{5}, TestDevice::BlockReply({0, 0, 0, 0})}};
    };
    const TransferResult r = Write(8, true);
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_EQ(device.Trace(), "W0 R0 R0 W0 R0 W0 R0");
}

TEST_F(BlockWrite, StornoInEachPhase) {
    struct Case {
        const char* name;
        int atWrite; // Storno pressed when this write request goes out (1-based)
        const char* trace;
        bool deviceBlock0Zero;
    };
    // Used size 20: writes are 0z, 0z, 8, 16, 0.
    const Case cases[] = {
        {"phase 1", 1, "W0", true},
        {"phase 2", 3, "W0 W0 W8", true},
        {"phase 3", 5, "W0 W0 W8 W16 W0", false},
    };
    for (const Case& c : cases) {
        device.eeprom.assign(1024, 0xFF);
        ActivateOk();
        device.log.clear();
        int writes = 0;
        line.onSent = [&](const SentFrame& f) {
            if (f.wire[0] == 0x05 && ++writes == c.atWrite)
                status.cancel = true;
        };
        const TransferResult r = Write(20, false);
        line.onSent = nullptr;
        EXPECT_EQ(r.outcome, TransferOutcome::Cancelled) << "case: " << c.name;
        EXPECT_EQ(device.Trace(), c.trace) << "case: " << c.name;
        EXPECT_EQ(std::all_of(device.eeprom.begin(), device.eeprom.begin() + 8,
                              [](std::uint8_t b) { return b == 0; }),
                  c.deviceBlock0Zero)
            << "case: " << c.name;
        EXPECT_EQ(image[0], 0x40) << "case: " << c.name;
        EXPECT_FALSE(status.visible) << "case: " << c.name;
        status.cancel = false;
        link.Deactivate();
    }
}

TEST_F(BlockWrite, StornoDuringAReadBackStops) {
    ActivateOk();
    device.log.clear();
    line.onSent = [this](const SentFrame& f) {
        if (f.wire[0] == 0x04)
            status.cancel = true;
    };
    const TransferResult r = Write(20, true);
    EXPECT_EQ(r.outcome, TransferOutcome::Cancelled);
    EXPECT_EQ(device.Trace(), "W0 R0");
}

TEST_F(BlockWrite, NeedsAnActiveDevice) {
    EXPECT_EQ(Write(20, true).outcome, TransferOutcome::NotActive);
    EXPECT_TRUE(line.sent().empty());
}

TEST_F(BlockWrite, NeverWritesBeyondTheImage) {
    device.eeprom.assign(65536, 0xFF);
    ActivateOk();
    device.log.clear();
    const TransferResult r = Write(70000, false);
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_EQ(device.log.size(), 8192u + 2u);
    EXPECT_EQ(device.log[device.log.size() - 2].address, 65528);
}

} // namespace
} // namespace rq7::device::test
