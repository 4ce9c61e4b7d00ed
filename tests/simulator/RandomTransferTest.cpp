// Whole EEPROM transfers through the device link against the simulated
// device, with random sizes, contents and faults: a read either returns the
// device's EEPROM or says it failed; a write either leaves the device
// holding the image or says it failed. Runs on the virtual clock, so the
// many time-outs cost nothing.

#include "device/DeviceLink.h"
#include "operations/DeviceImageRead.h"
#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <random>

using namespace rq7;
using namespace rq7::sim;
using device::TransferOutcome;

namespace {

class SilentPrompter : public Prompter {
public:
    Answer ask(const Message& message) override {
        keys.push_back(message.key);
        return message.defaultAnswer();
    }
    std::vector<std::string> keys;
};

class QuietStatus : public StatusSink {
public:
    void showStatus(const std::string&) override {}
    void hideStatus() override {}
    void progress(int, int) override {}
    bool cancelRequested() const override { return false; }
};

struct Tally {
    int reads = 0, readsFailed = 0, writes = 0, writesFailed = 0;
    SimulatedDevice::Counters faults;
    void add(const SimulatedDevice::Counters& c) {
        faults.dropped += c.dropped;
        faults.corrupted += c.corrupted;
        faults.late += c.late;
        faults.shortened += c.shortened;
        faults.misread += c.misread;
        faults.badWrites += c.badWrites;
    }
};

double rate(std::mt19937& random, double most) {
    return std::uniform_real_distribution<double>(0.0, most)(random);
}

// The first address where the two differ, or -1.
long firstDifference(const Bytes& a, const Bytes& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (a[i] != b[i])
            return static_cast<long>(i);
    return -1;
}

Bytes randomBytes(std::mt19937& random, std::size_t n) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; i += 4) {
        const std::uint32_t word = random();
        for (std::size_t k = 0; k < 4 && i + k < n; ++k)
            bytes[i + k] = static_cast<std::uint8_t>(word >> (8 * k));
    }
    return bytes;
}

bool same(const Bytes& a, const Bytes& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

// One device, activated cleanly, then a run of transfers under faults.
void runScenario(std::uint32_t seed, int transfers, Tally& tally) {
    std::mt19937 random(seed);
    DeviceConfig config;
    config.profile.memoryCode = static_cast<std::uint8_t>(random() % 5); // 128 … 2,048 bytes
    config.replyDelay = Micros(random() % 4000);
    config.seed = seed;
    const std::uint32_t baud = random() % 5 == 0 ? 19200 : 0;
    SimulatedDevice device(config);
    device.loadEeprom(randomBytes(random, device.eeprom().size()));
    SimulatedLink link(device, baud);
    SilentPrompter prompter;
    QuietStatus status;
    const Texts texts;
    device::DeviceLink requester(link, link, prompter, status, texts);

    const auto activation = requester.Activate("sim");
    ASSERT_EQ(activation.outcome, device::ActivationOutcome::Activated) << "case: seed " << seed;
    const long eepromSize = activation.info.eepromSize;
    ASSERT_EQ(eepromSize, static_cast<long>(device.eeprom().size())) << "case: seed " << seed;

    // A third of the devices are clean, the rest fault-ridden to a varying
    // degree; a bad write is kept rare so that verified writes can succeed.
    const bool faulty = random() % 3 != 0;
    const double most = faulty ? 0.25 : 0.0;
    FaultRates rates;
    rates.drop = rate(random, most);
    rates.corrupt = rate(random, most);
    rates.late = rate(random, most / 5);
    rates.lateRepeats = random() % 2 == 0;
    rates.shortReply = rate(random, most);
    const double misread = rate(random, most);
    const double badWrite = rate(random, most / 25);

    Bytes image(65536);
    for (int t = 0; t < transfers; ++t) {
        const std::string where =
            "case: seed " + std::to_string(seed) + " transfer " + std::to_string(t);
        if (random() % 2 == 0) {
            // A wrong byte in a read reply cannot be told from the truth
            // without reading twice, which the protocol does not do.
            rates.misread = 0;
            rates.badWrite = 0;
            device.setFaultRates(rates);
            std::fill(image.begin(), image.end(), std::uint8_t{0xEE});
            const auto result = requester.ReadEeprom(image.data(), image.size(), eepromSize);
            ++tally.reads;
            if (!result.ok()) {
                ++tally.readsFailed;
                EXPECT_TRUE(result.outcome == TransferOutcome::BlockFailed ||
                            result.outcome == TransferOutcome::OutOfOrder)
                    << where;
                continue;
            }
            ASSERT_EQ(firstDifference(device.eeprom(), image, 0, device.eeprom().size()), -1)
                << where << ": a read reported success with wrong data at this address";
            ASSERT_EQ(image[static_cast<std::size_t>(eepromSize)], 0xEE) << where;
        } else {
            // Without the read-back a wrongly stored byte cannot be noticed.
            const bool checkWrite = random() % 5 != 0;
            rates.misread = checkWrite ? misread : 0;
            rates.badWrite = checkWrite ? badWrite : 0;
            device.setFaultRates(rates);
            const long usedSize = 1 + static_cast<long>(random() % eepromSize);
            const std::size_t blocksEnd = static_cast<std::size_t>(device::BlockEnd(usedSize));
            const Bytes before = device.eeprom();
            // Random where the transfer reaches, a fixed pattern beyond.
            Bytes contents = randomBytes(random, static_cast<std::size_t>(eepromSize));
            contents.resize(image.size(), 0x5A);
            image = contents;
            const auto result =
                requester.WriteEeprom(image.data(), image.size(), usedSize, checkWrite);
            ++tally.writes;
            EXPECT_TRUE(same(image, contents)) << where << ": the image was changed";
            if (!result.ok()) {
                ++tally.writesFailed;
                continue;
            }
            const Bytes& after = device.eeprom();
            ASSERT_EQ(firstDifference(after, contents, 0, blocksEnd), -1)
                << where << ": a write reported success but the device differs at this address";
            ASSERT_EQ(firstDifference(after, before, blocksEnd, after.size()), -1)
                << where << ": a write changed a block beyond the settings";
        }
    }
    tally.add(device.counters());

    device.setFaultRates(FaultRates{});
    const auto end = requester.Deactivate();
    EXPECT_EQ(end.outcome, device::DeactivationOutcome::Confirmed) << "case: seed " << seed;
    EXPECT_FALSE(device.inProgrammingMode()) << "case: seed " << seed;
}

} // namespace

TEST(RandomTransfers, EveryTransferIsRightOrReportsFailure) {
    Tally tally;
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        runScenario(seed, 21, tally);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    const int transfers = tally.reads + tally.writes;
    EXPECT_GE(transfers, 2000);
    // Both outcomes were exercised in both directions, and every fault kind.
    EXPECT_GT(tally.reads - tally.readsFailed, tally.reads / 2);
    EXPECT_GT(tally.writes - tally.writesFailed, tally.writes / 2);
    EXPECT_GT(tally.readsFailed, 0);
    EXPECT_GT(tally.writesFailed, 0);
    EXPECT_GT(tally.faults.dropped, 0u);
    EXPECT_GT(tally.faults.corrupted, 0u);
    EXPECT_GT(tally.faults.late, 0u);
    EXPECT_GT(tally.faults.shortened, 0u);
    EXPECT_GT(tally.faults.misread, 0u);
    EXPECT_GT(tally.faults.badWrites, 0u);
    std::cout << "transfers: " << tally.reads << " reads (" << tally.readsFailed << " failed), "
              << tally.writes << " writes (" << tally.writesFailed
              << " failed); faults: " << tally.faults.dropped << " dropped, "
              << tally.faults.corrupted << " corrupt, " << tally.faults.late << " late, "
              << tally.faults.shortened << " short, " << tally.faults.misread << " misread, "
              << tally.faults.badWrites << " bad writes\n";
}

// The smallest case of a reply that outlives its request: the last
// read-back of a failed verification is answered 2.05 s late, after the
// requester has given up on it; the next request must not take that reply
// for its own.
TEST(RandomTransfers, LateReplyToAnAbandonedRequestIsNotTakenForTheNext) {
    DeviceConfig config;
    config.lateDelay = std::chrono::milliseconds(2050);
    SimulatedDevice device(config);
    Bytes contents(1024, 0x00);
    std::fill(contents.begin() + 8, contents.begin() + 16, std::uint8_t{0x88});
    device.loadEeprom(contents);
    SimulatedLink link(device);
    SilentPrompter prompter;
    QuietStatus status;
    const Texts texts;
    device::DeviceLink requester(link, link, prompter, status, texts);
    ASSERT_EQ(requester.Activate("sim").outcome, device::ActivationOutcome::Activated);

    for (int attempt = 1; attempt < device::kVerifyAttempts; ++attempt)
        device.forceFaults(fault::None);
    device.forceFaults(fault::Late);
    device::Block expected{};
    expected.fill(0x11); // not what block 8 holds: every read-back differs
    EXPECT_FALSE(requester.VerifyBlock(8, expected));
    EXPECT_EQ(device.counters().late, 1u);

    Bytes image(65536, 0xEE);
    const auto result = requester.ReadEeprom(image.data(), image.size(), 1024);
    ASSERT_TRUE(result.ok()) << "no fault was left for the read";
    EXPECT_EQ(firstDifference(device.eeprom(), image, 0, 1024), -1)
        << "a block was taken from the late reply for block 8";
}

namespace {

// A settings image of some length: the phone numbers and names add to the
// empty image's 149 bytes.
Bytes settingsImage(std::mt19937& random) {
    SettingsRecord record;
    for (std::string& name : record.tabINPNazev)
        name.assign(random() % 12, 'a');
    for (int i = 0; i < 8; ++i)
        if (random() % 2)
            record.tabTC[static_cast<std::size_t>(i)] = "+42060" + std::to_string(random() % 10000);
    auto image = std::make_unique<EepromImage>();
    EXPECT_TRUE(WriteImage(record, *image).ok);
    return Bytes(image->data(), image->data() + SettingsSize(record) - 1);
}

// A burst of faults for the replies starting at `first`, all others clean.
void faultBurst(SimulatedDevice& device, std::mt19937& random, unsigned first) {
    static const FaultSet kinds[] = {fault::Late, fault::Drop, fault::Corrupt, fault::Short,
                                     fault::Late | fault::Corrupt};
    for (unsigned i = 0; i < first; ++i)
        device.forceFaults(fault::None);
    for (unsigned n = 1 + random() % 5; n > 0; --n)
        device.forceFaults(kinds[random() % 5]);
}

} // namespace

// Faults around the header's last block, the image's last block and the
// deactivation after them, where a stray reply would do the most harm: a
// settings read takes exactly the device's image or fails, a verified
// write leaves it on the device or fails, and the device always leaves
// programming mode.
TEST(RandomTransfers, FaultsAtTheHeaderAndTheImageEnd) {
    int reads = 0, readsOk = 0, writes = 0, writesOk = 0, confirmed = 0;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        const std::string where = "case: seed " + std::to_string(seed);
        std::mt19937 random(seed);
        DeviceConfig config;
        config.faults.lateRepeats = random() % 2 == 0;
        config.seed = seed;
        SimulatedDevice device(config);
        const Bytes image = settingsImage(random);
        device.loadEeprom(image);
        SimulatedLink link(device, random() % 4 == 0 ? 19200 : 0);
        SilentPrompter prompter;
        QuietStatus status;
        const Texts texts;
        device::DeviceLink requester(link, link, prompter, status, texts);
        ASSERT_EQ(requester.Activate("sim").outcome, device::ActivationOutcome::Activated) << where;

        const unsigned lastBlock = static_cast<unsigned>((image.size() - 1) / device::kBlockSize);
        const unsigned targets[] = {2, 3, 4, lastBlock - 1, lastBlock, lastBlock + 1};
        const unsigned target = targets[random() % 6];
        // A verified write takes two exchanges per block, after block 0's
        // first two.
        faultBurst(device, random, seed % 2 == 1 ? target : 2 * target + 2);
        if (seed % 2 == 1) {
            auto read = std::make_unique<EepromImage>();
            const ImageReadResult result = ReadDeviceImage(requester, *read, 1024);
            ++reads;
            if (result.outcome == ImageRead::Read) {
                ++readsOk;
                ASSERT_EQ(result.length, static_cast<long>(image.size())) << where;
                ASSERT_EQ(firstDifference(Bytes(read->data(), read->data() + result.length), image,
                                          0, image.size()),
                          -1)
                    << where << ": a read reported success with wrong data at this address";
            } else {
                EXPECT_TRUE(result.outcome == ImageRead::BlockFailed ||
                            result.outcome == ImageRead::OutOfOrder)
                    << where;
            }
        } else {
            // Writing the image again: block 0 (zeros) twice, then the rest.
            Bytes contents = image;
            contents.resize(65536, 0);
            const auto result = requester.WriteEeprom(contents.data(), contents.size(),
                                                      static_cast<long>(image.size()) + 1, true);
            ++writes;
            if (result.ok()) {
                ++writesOk;
                ASSERT_EQ(firstDifference(device.eeprom(), image, 0, image.size()), -1)
                    << where << ": a write reported success but the device differs here";
            }
        }
        // The end of programming may itself be faulted, but a stale reply is
        // never taken for its confirmation.
        const auto end = requester.Deactivate();
        confirmed += end.outcome == device::DeactivationOutcome::Confirmed;
        if (end.outcome == device::DeactivationOutcome::Confirmed) {
            EXPECT_FALSE(device.inProgrammingMode()) << where;
        }
        EXPECT_EQ(device.counters().outOfRange, 0u) << where;
    }
    EXPECT_GT(readsOk, reads / 2);
    EXPECT_GT(writesOk, writes / 2);
    EXPECT_GT(confirmed, 100);
}

// The soak: per seed a small device of random bytes, a whole read and a
// verified write of a random image, under a random mix of the faults a line
// brings (each up to 20 %): lost, damaged and cut replies, late ones in
// order and stalls that add up. A read that succeeds holds the EEPROM, one
// that fails holds nothing but the device's bytes; a verified write that
// succeeds leaves the image on the device, one that fails leaves block 0
// as it was or zeroed; nothing runs past the link's own bounds.
TEST(RandomTransfers, SoakOfWholeReadsAndVerifiedWritesUnderLineFaults) {
    using std::chrono::milliseconds;
    // Per block step, the longest the link may take: every attempt of a
    // block read and a whole proof of the line before it.
    const auto schedule = [](int attempts, long first) {
        return milliseconds(attempts * first + 100L * attempts * (attempts - 1) / 2);
    };
    const milliseconds proof =
        (device::kReadAttempts + 3 * device::kBarrierAttempts) * device::kLateReplyHorizon;
    const milliseconds step = schedule(device::kReadAttempts, 100) + proof;
    int reads = 0, readsOk = 0, writes = 0, writesOk = 0;
    for (std::uint32_t seed = 1; reads < 2000 || writes < 500; ++seed) {
        const std::string where = "case: seed " + std::to_string(seed);
        std::mt19937 random(seed);
        DeviceConfig config;
        config.eepromSize = random() % 4 == 0 ? 256 : 128;
        config.replyDelay = Micros(random() % 3000);
        config.lateDelay = milliseconds(150 + random() % 1850);
        config.seed = seed;
        SimulatedDevice device(config);
        const Bytes eeprom = randomBytes(random, config.eepromSize);
        device.loadEeprom(eeprom);
        SimulatedLink link(device, random() % 3 == 0 ? 19200 : 0);
        SilentPrompter prompter;
        QuietStatus status;
        const Texts texts;
        device::DeviceLink requester(link, link, prompter, status, texts);
        ASSERT_EQ(requester.Activate("sim").outcome, device::ActivationOutcome::Activated) << where;
        FaultRates rates;
        rates.drop = rate(random, 0.2);
        rates.corrupt = rate(random, 0.2);
        rates.shortReply = rate(random, 0.2);
        rates.late = rate(random, 0.2);
        rates.lateRepeats = random() % 2 == 0;
        rates.stall = rate(random, 0.2);
        device.setFaultRates(rates);
        const long blocks = device::BlocksFor(static_cast<long>(config.eepromSize));

        // A block of room past the EEPROM, to see that nothing lands there.
        Bytes image(config.eepromSize + device::kBlockSize, 0xEE);
        auto start = link.now();
        const auto read =
            requester.ReadEeprom(image.data(), image.size(), static_cast<long>(config.eepromSize));
        ++reads;
        ASSERT_LE(link.now() - start, blocks * step) << where << ": the read ran past its bound";
        const long stored = read.ok() ? device::BlockEnd(static_cast<long>(config.eepromSize))
                                      : static_cast<long>(read.address);
        ASSERT_EQ(firstDifference(image, eeprom, 0, static_cast<std::size_t>(stored)), -1)
            << where << ": a read stored a wrong byte here";
        ASSERT_TRUE(
            std::all_of(image.begin() + stored, image.end(), [](auto b) { return b == 0xEE; }))
            << where << ": a read stored past what it read";
        readsOk += read.ok();

        if (seed % 4 != 0)
            continue;
        const long usedSize = 1 + static_cast<long>(random() % config.eepromSize);
        Bytes contents = randomBytes(random, config.eepromSize);
        start = link.now();
        const auto written =
            requester.WriteEeprom(contents.data(), contents.size(), usedSize, true);
        ++writes;
        ASSERT_LE(link.now() - start, 2 * (device::BlocksFor(usedSize) + 2) * step)
            << where << ": the write ran past its bound";
        const auto end = static_cast<std::size_t>(device::BlockEnd(usedSize));
        if (written.ok()) {
            ++writesOk;
            ASSERT_EQ(firstDifference(device.eeprom(), contents, 0, end), -1)
                << where << ": a verified write reported success but the device differs here";
        } else {
            const bool zeroed = std::all_of(device.eeprom().begin(), device.eeprom().begin() + 8,
                                            [](auto b) { return b == 0; });
            ASSERT_TRUE(zeroed || firstDifference(device.eeprom(), eeprom, 0, 8) == -1)
                << where << ": a failed write left block 0 neither as it was nor zeroed";
        }
    }
    // Most transfers get through, so success is what was checked.
    EXPECT_GT(readsOk, reads * 3 / 4);
    EXPECT_GT(writesOk, writes / 2);
    std::cout << "soak: " << reads << " reads (" << readsOk << " succeeded), " << writes
              << " verified writes (" << writesOk << " succeeded)\n";
}
