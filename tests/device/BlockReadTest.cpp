#include "tests/device/LinkFixture.h"

#include <algorithm>

namespace rq7::device::test {
namespace {

class BlockRead : public LinkFixture {
protected:
    BlockRead() {
        device.eeprom.assign(65536, 0);
        device.FillPattern();
        image.assign(65536, 0xEE);
    }

    TransferResult Read() {
        return link.ReadEeprom(image.data(), image.size(), link.info().eepromSize);
    }

    bool ImageMatchesDevice(std::size_t from, std::size_t to) const {
        return std::equal(image.begin() + static_cast<long>(from),
                          image.begin() + static_cast<long>(to),
                          device.eeprom.begin() + static_cast<long>(from));
    }

    // Replies to chosen attempts at a block differently; the rest normally.
    void OnBlock(std::uint16_t address,
                 std::function<std::optional<std::vector<Arrival>>(int attempt, Millis now)> f) {
        auto attempts = std::make_shared<int>(0);
        device.fault = [address, f, attempts](const TestDevice::Request& r, std::size_t,
                                              Millis now) -> std::optional<std::vector<Arrival>> {
            if (r.command != 0x04 || r.address != address)
                return std::nullopt;
            return f(++*attempts, now);
        };
    }

    std::vector<std::uint8_t> image;
};

TEST_F(BlockRead, ReadsEveryBlockBelowTheEepromSize) {
    struct Case {
        int memoryCode;
        std::size_t size;
    };
    const Case cases[] = {{0, 128}, {3, 1024}, {9, 65536}};
    for (const Case& c : cases) {
        device.memoryCode = c.memoryCode;
        device.log.clear();
        image.assign(65536, 0xEE);
        ActivateOk();
        const TransferResult r = Read();
        EXPECT_EQ(r.outcome, TransferOutcome::Done) << "case: " << c.size;
        EXPECT_EQ(r.blocks, static_cast<int>(c.size / kBlockSize)) << "case: " << c.size;
        EXPECT_TRUE(ImageMatchesDevice(0, c.size)) << "case: " << c.size;
        EXPECT_TRUE(std::all_of(image.begin() + static_cast<long>(c.size), image.end(),
                                [](std::uint8_t b) { return b == 0xEE; }))
            << "case: " << c.size << " bytes above the EEPROM stay untouched";
        EXPECT_EQ(device.log.back().address, c.size - kBlockSize) << "case: " << c.size;
        EXPECT_EQ(status.shown.back(), texts.get("msg048")) << "case: " << c.size;
        EXPECT_FALSE(status.visible) << "case: " << c.size;
        EXPECT_EQ(status.lastDone, status.lastTotal) << "case: " << c.size;
        link.Deactivate();
    }
    EXPECT_EQ(line.sent()[line.sent().size() - 2].wire[1], '8') << "block 65528 goes out as 8FFF";
}

TEST_F(BlockRead, UnknownSizeReadsTheFirstBlockOnly) {
    device.memoryCode = 12;
    ActivateOk();
    ASSERT_EQ(link.info().lblInfoPamSize, "?");
    const TransferResult r = Read();
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_EQ(device.Trace(), "R0");
    EXPECT_TRUE(ImageMatchesDevice(0, 8));
}

TEST_F(BlockRead, SilentBlockGetsTwelveAttemptsWithGrowingTimeouts) {
    ActivateOk();
    OnBlock(8, [](int, Millis) { return std::vector<Arrival>{}; });
    const TransferResult r = Read();
    EXPECT_EQ(r.outcome, TransferOutcome::BlockFailed);
    EXPECT_EQ(r.address, 8u);
    EXPECT_EQ(
        TimeoutsOfRequests(line, waiter, 0x04),
        (std::vector<long>{100, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200}));
    EXPECT_TRUE(ImageMatchesDevice(0, 8)) << "blocks read before the failure stay";
    EXPECT_EQ(image[8], 0xEE);
    EXPECT_FALSE(status.visible);
}

TEST_F(BlockRead, FailedAttemptsBeforeASuccess) {
    struct Case {
        const char* name;
        std::function<Bytes(std::uint16_t)> badReply;
    };
    const Case cases[] = {
        {"bad checksum",
         [](std::uint16_t) {
             return Bytes{0x84, '1', '2', 0x00, 0x0D};
         }},
        {"wrong answer code", [](std::uint16_t) { return TestDevice::Frame({0x85}); }},
        {"four pairs only",
         [](std::uint16_t) {
             return TestDevice::BlockReply({1, 2, 3, 4});
         }},
        {"not hex",
         [](std::uint16_t) {
             Bytes reply = TestDevice::BlockReply({1, 2, 3, 4, 5, 6, 7, 8});
             reply[5] = 'x';
             return TestDevice::Frame(Bytes(reply.begin(), reply.end() - 2));
         }},
    };
    for (const Case& c : cases) {
        device.fault = nullptr;
        device.log.clear();
        ActivateOk();
        const std::size_t before = line.sent().size();
        OnBlock(16, [&c](int attempt, Millis now) -> std::optional<std::vector<Arrival>> {
            if (attempt > 2)
                return std::nullopt;
            return std::vector<Arrival>{{now + Millis{5}, c.badReply(16)}};
        });
        image.assign(65536, 0xEE);
        const TransferResult r = Read();
        EXPECT_EQ(r.outcome, TransferOutcome::Done) << "case: " << c.name;
        EXPECT_TRUE(ImageMatchesDevice(0, 1024)) << "case: " << c.name;
        std::vector<long> block16;
        const auto all = TimeoutsOfRequests(line, waiter, 0x04);
        std::size_t reads = 0;
        for (std::size_t i = 0; i < line.sent().size(); ++i) {
            if (line.sent()[i].wire[0] != 0x04)
                continue;
            const Bytes& w = line.sent()[i].wire;
            if (i >= before && std::string(w.begin() + 1, w.begin() + 5) == "0100")
                block16.push_back(all.at(reads));
            ++reads;
        }
        EXPECT_EQ(block16, (std::vector<long>{100, 200, 300})) << "case: " << c.name;
        link.Deactivate();
    }
}

TEST_F(BlockRead, StornoStopsTheRead) {
    struct Case {
        const char* name;
        bool answeredBeforeStorno; // block 40's reply is in before Storno
        int blocks;                // blocks stored
    };
    const Case cases[] = {{"Storno after block 40 came in", true, 6},
                          {"Storno while block 40 is awaited", false, 5}};
    for (const Case& c : cases) {
        image.assign(65536, 0xEE);
        device.log.clear();
        device.delay = Millis{5};
        ActivateOk();
        bool armed = false;
        line.onSent = [&](const SentFrame& f) {
            // Block 40 goes out as 8, 2, 0, 0.
            armed = armed || std::string(f.wire.begin() + 1, f.wire.begin() + 5) == "8200";
        };
        if (c.answeredBeforeStorno)
            device.delay = Millis{0};
        // Storno comes with the first wait for block 40's reply.
        status.cancel = false;
        waiter.onWait = [&] {
            if (armed)
                status.cancel = true;
        };
        const TransferResult r = Read();
        waiter.onWait = nullptr;
        line.onSent = nullptr;
        EXPECT_EQ(r.outcome, TransferOutcome::Cancelled) << "case: " << c.name;
        EXPECT_EQ(r.blocks, c.blocks) << "case: " << c.name;
        EXPECT_EQ(device.log.back().address, 40) << "case: " << c.name;
        EXPECT_TRUE(ImageMatchesDevice(0, static_cast<std::size_t>(8 * c.blocks)))
            << "case: " << c.name;
        EXPECT_EQ(image[static_cast<std::size_t>(8 * c.blocks)], 0xEE) << "case: " << c.name;
        EXPECT_FALSE(status.visible) << "case: " << c.name;
        status.cancel = false;
        link.Deactivate();
    }
}

TEST_F(BlockRead, StornoEndsTheRetriesOfASilentBlock) {
    ActivateOk();
    OnBlock(40, [this](int, Millis) {
        status.cancel = true;
        return std::vector<Arrival>{};
    });
    const TransferResult r = Read();
    EXPECT_EQ(r.outcome, TransferOutcome::Cancelled);
    EXPECT_EQ(r.address, 40u);
    EXPECT_EQ(device.Trace().substr(device.Trace().rfind(' ') + 1), "R40");
    EXPECT_EQ(image[40], 0xEE);
}

TEST_F(BlockRead, LateReplyNeverLandsInTheNextBlock) {
    ActivateOk();
    // Block 8: the first answer comes after its time-out, while the retry
    // waits; the retry's own answer follows it.
    OnBlock(8, [this](int attempt, Millis now) -> std::optional<std::vector<Arrival>> {
        std::vector<std::uint8_t> data(device.eeprom.begin() + 8, device.eeprom.begin() + 16);
        const Millis latency{attempt == 1 ? 150 : 52};
        return std::vector<Arrival>{{now + latency, TestDevice::BlockReply(data)}};
    });
    const TransferResult r = Read();
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_TRUE(ImageMatchesDevice(0, 1024));
}

TEST_F(BlockRead, ReplyToARepeatNeverLandsInALaterBlock) {
    device.memoryCode = 6; // 8,192 bytes: the read is still running when the stray reply comes
    ActivateOk();
    // Block 8: the first answer comes 150 ms late and is taken by the repeat;
    // the repeat's own answer follows almost the whole horizon later. Block
    // 16 goes out only once that answer is in.
    const Millis repeatLatency = kLateReplyHorizon - Millis{7};
    Millis lastLate{0};
    int attempts = 0;
    device.fault = [&](const TestDevice::Request& r, std::size_t,
                       Millis now) -> std::optional<std::vector<Arrival>> {
        if (r.command == kBarrierCommand && lastLate > now)
            return std::vector<Arrival>{
                {lastLate + Millis{1}, TestDevice::Frame({0x83, '3', '0', '4', '0'})}};
        if (r.command != 0x04 || r.address != 8)
            return std::nullopt;
        std::vector<std::uint8_t> data(device.eeprom.begin() + 8, device.eeprom.begin() + 16);
        const Millis latency = ++attempts == 1 ? Millis{150} : repeatLatency;
        lastLate = std::max(lastLate, now + latency);
        return std::vector<Arrival>{{now + latency, TestDevice::BlockReply(data)}};
    };
    const TransferResult r = Read();
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_TRUE(ImageMatchesDevice(0, 8192));
    const auto block16 =
        std::find_if(line.sent().begin(), line.sent().end(), [](const SentFrame& s) {
            return s.wire == EncodeFrame(BlockRequest(0x04, 16));
        });
    ASSERT_NE(block16, line.sent().end());
    EXPECT_GE(block16->at, lastLate);
}

TEST_F(BlockRead, ReplyWaitingBeforeTheRequestIsNotTaken) {
    ActivateOk();
    line.arrive(clock, TestDevice::BlockReply({9, 9, 9, 9, 9, 9, 9, 9}));
    const TransferResult r = Read();
    EXPECT_EQ(r.outcome, TransferOutcome::Done);
    EXPECT_TRUE(ImageMatchesDevice(0, 1024));
    EXPECT_EQ(device.Trace().find("R0 R0"), std::string::npos) << "no retry was needed";
}

TEST_F(BlockRead, NeedsAnActiveDevice) {
    EXPECT_EQ(Read().outcome, TransferOutcome::NotActive);
    device.code = 0x88D302;
    device.minor = 4; // too old
    link.Activate("COM 1");
    ASSERT_EQ(link.state(), ConnectionState::AktivniSpatnaVerze);
    const std::size_t before = line.sent().size();
    EXPECT_EQ(Read().outcome, TransferOutcome::NotActive);
    EXPECT_EQ(line.sent().size(), before);
}

} // namespace
} // namespace rq7::device::test
