#include "DeviceTestSupport.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace rq7::sim;
using namespace rq7::sim::testing;
using namespace std::chrono_literals;

TEST(SimulatedDevice, EepromSizeFollowsMemoryCodeOrExplicitSize) {
    struct Case {
        const char* name;
        std::uint8_t memoryCode;
        std::size_t explicitSize;
        std::size_t expected;
    };
    const Case cases[] = {
        {"code 0", 0, 0, 128},       {"code 3", 3, 0, 1024},
        {"code 9", 9, 0, 65536},     {"code without size", 10, 0, 128},
        {"explicit", 3, 4096, 4096}, {"explicit for unknown code", 200, 256, 256},
    };
    for (const Case& c : cases) {
        DeviceConfig config;
        config.profile.memoryCode = c.memoryCode;
        config.eepromSize = c.explicitSize;
        SimulatedDevice device(config);
        EXPECT_EQ(device.eeprom().size(), c.expected) << "case: " << c.name;
        EXPECT_EQ(device.eeprom().front(), 0xFF) << "case: " << c.name << " starts blank";
    }
    for (std::size_t bad : {std::size_t{120}, std::size_t{130}, std::size_t{65544}}) {
        DeviceConfig config;
        config.eepromSize = bad;
        EXPECT_THROW(SimulatedDevice{config}, std::invalid_argument) << "case: size " << bad;
    }
}

TEST(SimulatedDevice, LoadEepromCopiesImageAndBlanksTheRest) {
    SimulatedDevice device;
    device.loadEeprom({1, 2, 3});
    EXPECT_EQ(device.eeprom()[0], 1);
    EXPECT_EQ(device.eeprom()[2], 3);
    EXPECT_EQ(device.eeprom()[3], 0xFF);
    EXPECT_THROW(device.loadEeprom(Bytes(1025, 0)), std::invalid_argument);
}

TEST(SimulatedDevice, OnlyProgrammingModeRequestIsHeardOutsideProgrammingMode) {
    SimulatedDevice device;
    device.loadEeprom(Bytes(1024, 0x11));
    const Bytes requests[] = {{command::Identify},
                              {command::Hardware},
                              readRequest(0),
                              writeRequest(0, Bytes(8, 0)),
                              kEndProgramming};
    for (const Bytes& r : requests)
        EXPECT_FALSE(send(device, r)) << "case: command " << int{r[0]};
    EXPECT_EQ(device.counters().notProgramming, 5u);
    EXPECT_EQ(device.eeprom()[0], 0x11) << "the write was not carried out";

    EXPECT_EQ(ask(device, {command::Programming}), Bytes{0x81});
    EXPECT_TRUE(device.inProgrammingMode());
    EXPECT_EQ(ask(device, {command::Programming}), Bytes{0x81}) << "repeated request";
}

TEST(SimulatedDevice, KeyPressDelayCountsFromFirstUnansweredRequest) {
    DeviceConfig config;
    config.pressAfter = 1500ms;
    SimulatedDevice device(config);
    EXPECT_FALSE(send(device, {command::Programming}, Micros(10s)));
    EXPECT_FALSE(send(device, {command::Programming}, Micros(10s + 500ms)));
    EXPECT_FALSE(send(device, {command::Programming}, Micros(11s + 499ms)));
    EXPECT_EQ(device.counters().waitingForKey, 3u);
    EXPECT_EQ(ask(device, {command::Programming}, Micros(11s + 500ms)), Bytes{0x81});

    // After the end of programming the key must be pressed again.
    EXPECT_EQ(ask(device, kEndProgramming, Micros(12s)), Bytes{0x86});
    EXPECT_FALSE(device.inProgrammingMode());
    EXPECT_FALSE(send(device, {command::Programming}, Micros(20s)));
    EXPECT_EQ(ask(device, {command::Programming}, Micros(21s + 500ms)), Bytes{0x81});
}

TEST(SimulatedDevice, IdentificationCarriesCodeAndVersionLeastSignificantFirst) {
    struct Case {
        const char* name;
        std::uint32_t id;
        std::uint8_t major, minor;
        const char* pairs; // D(1..10) as characters
    };
    const Case cases[] = {
        {"RQ7 1.5", 0x03D302, 1, 5, "203D305010"},
        {"TMV 1.1", 0x34AF02, 1, 1, "20FA431010"},
        {"RQ7_04 2.10", 0x8AD302, 2, 10, "203DA8A020"},
        {"largest", 0xFFFFFF, 255, 255, "FFFFFFFFFF"},
    };
    for (const Case& c : cases) {
        DeviceConfig config;
        config.profile.identification = c.id;
        config.profile.versionMajor = c.major;
        config.profile.versionMinor = c.minor;
        SimulatedDevice device = activeDevice(config);
        const auto body = ask(device, {command::Identify});
        ASSERT_TRUE(body) << "case: " << c.name;
        EXPECT_EQ((*body)[0], 0x82) << "case: " << c.name;
        EXPECT_EQ(text(*body, 1), c.pairs) << "case: " << c.name;
    }
}

TEST(SimulatedDevice, HardwareQueryCarriesMemoryAndModemCodes) {
    struct Case {
        std::uint8_t memory, modem;
        const char* pairs;
    };
    const Case cases[] = {{3, 4, "3040"}, {0, 0, "0000"}, {9, 3, "9030"}, {10, 5, "A050"}};
    for (const Case& c : cases) {
        DeviceConfig config;
        config.profile.memoryCode = c.memory;
        config.profile.modemCode = c.modem;
        SimulatedDevice device = activeDevice(config);
        const auto body = ask(device, {command::Hardware});
        ASSERT_TRUE(body) << "case: " << c.pairs;
        EXPECT_EQ((*body)[0], 0x83) << "case: " << c.pairs;
        EXPECT_EQ(text(*body, 1), c.pairs);
    }
}

TEST(SimulatedDevice, BlockReadReturnsEightBytesAsPairs) {
    DeviceConfig config;
    config.profile.memoryCode = 9; // 65,536 bytes
    SimulatedDevice device = activeDevice(config);
    Bytes image(65536);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
    device.loadEeprom(image);

    EXPECT_EQ(text(readRequest(0x0318), 1), "8130") << "address pairs, low byte first";
    for (std::uint16_t address : {0x0000, 0x0318, 0x8000, 0xFFF8, 0x0005}) {
        const auto body = ask(device, readRequest(address));
        ASSERT_TRUE(body) << "case: " << address;
        EXPECT_EQ(body->size(), 17u) << "case: " << address;
        EXPECT_EQ(blockOf(*body), Bytes(image.begin() + address, image.begin() + address + 8))
            << "case: " << address;
    }
    device.setEepromByte(0x10, 0xA5);
    EXPECT_EQ(text(*ask(device, readRequest(0x10)), 1).substr(0, 2), "5A")
        << "0xA5 travels as '5','A'";
}

TEST(SimulatedDevice, BlockWriteStoresAndIsAcknowledged) {
    SimulatedDevice device = activeDevice();
    const Bytes block{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(text(writeRequest(0x0318, block), 1), "81301020304050607080");
    EXPECT_EQ(ask(device, writeRequest(0x0318, block)), Bytes{0x85});
    EXPECT_EQ(Bytes(device.eeprom().begin() + 0x318, device.eeprom().begin() + 0x320), block);
    EXPECT_EQ(device.eeprom()[0x317], 0xFF);
    EXPECT_EQ(device.eeprom()[0x320], 0xFF);
    EXPECT_EQ(blockOf(*ask(device, readRequest(0x0318))), block);
    EXPECT_EQ(ask(device, writeRequest(1016, Bytes(8, 0))), Bytes{0x85}) << "last block";
}

TEST(SimulatedDevice, MalformedOrOutOfRangeRequestsAreNotAnswered) {
    SimulatedDevice device = activeDevice(); // 1,024 bytes
    Bytes badPair = readRequest(0);
    badPair[2] = 'G';
    Bytes badData = writeRequest(0, Bytes(8, 0));
    badData[20] = 'x';
    struct Case {
        const char* name;
        Bytes request;
    };
    const Case cases[] = {
        {"read past the end", readRequest(1024)},
        {"read straddling the end", readRequest(1020)},
        {"write past the end", writeRequest(1024, Bytes(8, 0))},
        {"read with a bad pair", badPair},
        {"write with a bad pair", badData},
        {"read too short", {command::ReadBlock, '0', '0', '0'}},
        {"write too short", {command::WriteBlock, '0', '0', '0', '0', '1', '0'}},
        {"identification with data", {command::Identify, '0', '0'}},
        {"end of programming, wrong bytes", {command::EndProgramming, 0xAA, 0x56}},
        {"end of programming, no bytes", {command::EndProgramming}},
        {"unknown command", {0x07}},
        {"reply code as request", {0x81}},
        {"empty frame (checksum and CR only)", {}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(send(device, c.request)) << "case: " << c.name;
    EXPECT_EQ(device.counters().outOfRange, 3u);
    EXPECT_EQ(device.counters().malformed, 10u);
    EXPECT_TRUE(device.inProgrammingMode());
    EXPECT_EQ(device.eeprom(), Bytes(1024, 0xFF)) << "nothing was written";
}

TEST(SimulatedDevice, RequestsWithBadChecksumAreIgnored) {
    SimulatedDevice device = activeDevice();
    Bytes wire = encodeFrame(writeRequest(0, Bytes(8, 0)));
    wire[wire.size() - 2] ^= 0x01;
    for (std::uint8_t b : wire)
        EXPECT_FALSE(device.receive(b, Micros(0)));
    EXPECT_EQ(device.counters().badChecksum, 1u);
    EXPECT_EQ(device.eeprom()[0], 0xFF);
    EXPECT_EQ(ask(device, readRequest(0)).value_or(Bytes{}).size(), 17u)
        << "the next good request is answered";
}

TEST(SimulatedDevice, EndOfProgrammingLeavesProgrammingModeOrIsRefused) {
    SimulatedDevice device = activeDevice();
    EXPECT_EQ(ask(device, kEndProgramming), Bytes{0x86});
    EXPECT_FALSE(device.inProgrammingMode());

    DeviceConfig refusing;
    refusing.faults.refuseDeactivation = true;
    SimulatedDevice stubborn = activeDevice(refusing);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ask(stubborn, kEndProgramming), Bytes{kRefusalCode}) << "attempt " << i;
    EXPECT_TRUE(stubborn.inProgrammingMode());
    EXPECT_EQ(stubborn.counters().refusedDeactivations, 3u);
}

TEST(SimulatedDevice, ReplyLeavesAfterReplyDelay) {
    DeviceConfig config;
    config.replyDelay = 3ms;
    SimulatedDevice device = activeDevice(config);
    const auto reply = send(device, {command::Identify}, Micros(1s));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->sendAt, Micros(1s + 3ms));
}

// Each fault forced on one reply, on a read and on a write, and what the
// requester and the EEPROM see.
TEST(SimulatedDeviceFaults, DroppedReplyStillCarriesOutTheRequest) {
    SimulatedDevice device = activeDevice();
    device.forceFaults(fault::Drop);
    EXPECT_FALSE(send(device, writeRequest(8, Bytes(8, 0x42))));
    EXPECT_EQ(device.eeprom()[8], 0x42);
    EXPECT_EQ(device.counters().dropped, 1u);
    EXPECT_EQ(ask(device, readRequest(8)).value_or(Bytes{}).size(), 17u) << "one reply only";
}

TEST(SimulatedDeviceFaults, CorruptReplyHasWrongChecksumOnly) {
    SimulatedDevice device = activeDevice();
    // Every fill value, so that some true checksums sit next to the CR value.
    for (int fill = 0; fill < 256; ++fill) {
        device.loadEeprom(Bytes(1024, static_cast<std::uint8_t>(fill)));
        const Bytes good = send(device, readRequest(0))->wire;
        device.forceFaults(fault::Corrupt);
        const Bytes bad = send(device, readRequest(0))->wire;
        ASSERT_EQ(bad.size(), good.size());
        EXPECT_EQ(Bytes(bad.begin(), bad.end() - 2), Bytes(good.begin(), good.end() - 2))
            << "case: fill " << fill;
        EXPECT_NE(bad[bad.size() - 2], good[good.size() - 2]) << "case: fill " << fill;
        EXPECT_NE(bad[bad.size() - 2], kCarriageReturn) << "case: fill " << fill;
        EXPECT_EQ(bad.back(), kCarriageReturn);
        EXPECT_FALSE(bodyOf(bad)) << "case: fill " << fill;
    }
    device.forceFaults(fault::Corrupt);
    EXPECT_FALSE(bodyOf(send(device, {command::Programming})->wire)) << "one-byte reply";
    EXPECT_EQ(device.counters().corrupted, 257u);
}

TEST(SimulatedDeviceFaults, ShortReplyIsAGoodFrameWithATruncatedBody) {
    SimulatedDevice device = activeDevice();
    device.loadEeprom(Bytes(1024, 0x5C));
    const Bytes full = *ask(device, readRequest(16));
    for (int i = 0; i < 50; ++i) {
        device.forceFaults(fault::Short);
        const auto body = ask(device, readRequest(16));
        ASSERT_TRUE(body) << "case: attempt " << i;
        EXPECT_GE(body->size(), 1u);
        EXPECT_LT(body->size(), full.size()) << "case: attempt " << i;
        EXPECT_EQ(*body, Bytes(full.begin(), full.begin() + static_cast<long>(body->size())));
    }
    device.forceFaults(fault::Short);
    EXPECT_EQ(send(device, writeRequest(0, Bytes(8, 1)))->wire, Bytes{kCarriageReturn})
        << "a one-byte reply shrinks to a lone CR";
    EXPECT_EQ(device.eeprom()[0], 1) << "the write itself happened";
    EXPECT_EQ(device.counters().shortened, 51u);
}

TEST(SimulatedDeviceFaults, MisreadChangesOneByteOfTheReplyNotTheEeprom) {
    SimulatedDevice device = activeDevice();
    Bytes image(1024);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i);
    device.loadEeprom(image);
    for (int i = 0; i < 50; ++i) {
        device.forceFaults(fault::Misread);
        const auto block = blockOf(*ask(device, readRequest(64)));
        ASSERT_TRUE(block);
        int differing = 0;
        for (std::size_t k = 0; k < 8; ++k)
            differing += (*block)[k] != image[64 + k];
        EXPECT_EQ(differing, 1) << "case: attempt " << i;
    }
    EXPECT_EQ(device.eeprom(), image);
    device.forceFaults(fault::Misread);
    EXPECT_EQ(ask(device, writeRequest(0, Bytes(8, 0))), Bytes{0x85});
    EXPECT_EQ(device.counters().misread, 50u) << "a write reply has no data to misread";
}

TEST(SimulatedDeviceFaults, BadWriteStoresOneWrongByteButAcknowledges) {
    SimulatedDevice device = activeDevice();
    const Bytes block{10, 20, 30, 40, 50, 60, 70, 80};
    device.forceFaults(fault::BadWrite);
    EXPECT_EQ(ask(device, writeRequest(24, block)), Bytes{0x85});
    int differing = 0;
    for (std::size_t k = 0; k < 8; ++k)
        differing += device.eeprom()[24 + k] != block[k];
    EXPECT_EQ(differing, 1);
    EXPECT_NE(blockOf(*ask(device, readRequest(24))), block) << "read-back shows it";
    EXPECT_EQ(device.counters().badWrites, 1u);
}

TEST(SimulatedDeviceFaults, LateReplyHoldsBackTheRepliesAfterIt) {
    for (const bool lateRepeats : {false, true}) {
        const std::string name = lateRepeats ? "repeats late too" : "one late reply";
        DeviceConfig config;
        config.lateDelay = 2s;
        config.faults.lateRepeats = lateRepeats;
        SimulatedDevice device = activeDevice(config);
        device.loadEeprom(Bytes(1024, 0x33));
        device.forceFaults(fault::Late);
        const auto late = send(device, readRequest(0), Micros(1s));
        ASSERT_TRUE(late) << "case: " << name;
        EXPECT_EQ(late->sendAt, Micros(3s)) << "case: " << name;
        EXPECT_TRUE(blockOf(*bodyOf(late->wire))) << "case: " << name << ": sound";

        // Heard meanwhile and carried out, answered after the late reply:
        // a repeat (late itself when repeats are), then another request,
        // which ends the run of repeats.
        const auto repeat = send(device, readRequest(0), Micros(1s + 100ms));
        const auto write = send(device, writeRequest(0, Bytes(8, 0)), Micros(1s + 200ms));
        const auto again = send(device, readRequest(0), Micros(1s + 300ms));
        ASSERT_TRUE(repeat && write && again) << "case: " << name;
        EXPECT_EQ(repeat->sendAt, lateRepeats ? Micros(3s + 100ms) : Micros(3s))
            << "case: " << name;
        EXPECT_EQ(write->sendAt, repeat->sendAt) << "case: " << name;
        EXPECT_EQ(again->sendAt, repeat->sendAt) << "case: " << name << ": not late";
        EXPECT_EQ(device.eeprom()[0], 0x00) << "case: " << name;
        EXPECT_EQ(device.counters().late, lateRepeats ? 2u : 1u) << "case: " << name;
    }
}

TEST(SimulatedDeviceFaults, DrawnFaultsFollowRatesAndSeed) {
    auto run = [](std::uint64_t seed, const FaultRates& rates) {
        DeviceConfig config;
        config.faults = rates;
        config.seed = seed;
        SimulatedDevice device = activeDevice(config);
        device.setJournalEnabled(true);
        for (int i = 0; i < 4000; ++i)
            send(device, readRequest(static_cast<std::uint16_t>(8 * (i % 128))), Micros(i * 10s));
        return device;
    };
    FaultRates rates;
    rates.drop = 0.1;
    rates.corrupt = 0.2;
    rates.shortReply = 0.05;
    rates.misread = 0.3;
    rates.late = 0.01;
    const SimulatedDevice a = run(7, rates);
    const auto& c = a.counters();
    // Binomial counts over 4,000 replies, each band about five standard
    // deviations wide; a dropped reply carries no other fault.
    EXPECT_NEAR(c.dropped, 400, 100);
    EXPECT_NEAR(c.late, 40 * 0.9, 32);
    EXPECT_NEAR(c.misread, 1200 * 0.9, 150);
    for (const auto& e : a.journal()) {
        if (e.faults & fault::Drop) {
            ASSERT_EQ(e.faults, fault::Drop);
        }
    }
    EXPECT_EQ(c.badWrites, 0u) << "no writes were sent";
    EXPECT_GT(c.corrupted, 0u);
    EXPECT_GT(c.shortened, 0u);

    const SimulatedDevice again = run(7, rates);
    const SimulatedDevice other = run(8, rates);
    auto faultsOf = [](const SimulatedDevice& d) {
        std::vector<FaultSet> f;
        for (const auto& e : d.journal())
            f.push_back(e.faults);
        return f;
    };
    EXPECT_EQ(faultsOf(a), faultsOf(again)) << "same seed, same faults";
    EXPECT_NE(faultsOf(a), faultsOf(other)) << "another seed, other faults";

    const SimulatedDevice clean = run(7, FaultRates{});
    for (const auto& e : clean.journal()) {
        ASSERT_EQ(e.faults, fault::None);
    }
}
