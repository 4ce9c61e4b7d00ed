// rq7-sim as a program: its command line, and the device it plays on a
// pseudo-terminal, driven by raw frames.

#include "DeviceTestSupport.h"
#include "SimProcess.h"
#include "simulator/app/EepFile.h"
#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace rq7::sim;
using namespace rq7::sim::testing;
using namespace rq7::test;

namespace {

std::optional<Bytes> replyBody(const Bytes& wire) {
    return bodyOf(wire);
}

} // namespace

TEST(SimProgram, HelpAndBadOptions) {
    const ProgramResult help = runProgram(binPath("rq7-sim"), {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--wire-speed BAUD"), std::string::npos);

    const ProgramResult bad = runProgram(binPath("rq7-sim"), {"--memory", "x"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("--memory"), std::string::npos) << bad.err;
    EXPECT_TRUE(bad.out.empty()) << "no terminal was created";

    TempDir dir;
    const std::string big = dir / "big.eep";
    std::string error;
    ASSERT_TRUE(saveEepFile(big, Bytes(2048, 0), error)) << error;
    const ProgramResult tooBig = runProgram(binPath("rq7-sim"), {"--eeprom", big});
    EXPECT_EQ(tooBig.exitCode, 2) << "an image larger than the EEPROM is refused";
    EXPECT_NE(tooBig.err.find("does not fit"), std::string::npos) << tooBig.err;
}

TEST(SimProgram, AnswersEveryCommandAndSavesEepromOnTerm) {
    TempDir dir;
    const std::string eep = dir / "device.eep";
    Bytes image(128);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(200 - i);
    std::string error;
    ASSERT_TRUE(saveEepFile(eep, image, error)) << error;

    SimProcess sim;
    ASSERT_TRUE(sim.start(
        {"--id", "34AF02", "--device-version", "1.1", "--memory", "0", "--modem", "2", "--eeprom", eep},
        error))
        << error;
    EXPECT_EQ(sim.ptyPath().rfind("/dev/", 0), 0u) << sim.ptyPath();
    {
        PtyClient port(sim.ptyPath());
        ASSERT_TRUE(port.isOpen());
        EXPECT_EQ(port.ask({command::Programming}), (Bytes{0x81, 0x82, 0x0D}));
        EXPECT_EQ(text(replyBody(port.ask({command::Identify})).value_or(Bytes{})), "\x82"
                                                                                    "20FA431010");
        EXPECT_EQ(text(replyBody(port.ask({command::Hardware})).value_or(Bytes{})), "\x83"
                                                                                    "0020");
        const auto block = blockOf(replyBody(port.ask(readRequest(120))).value_or(Bytes{}));
        EXPECT_EQ(block, Bytes(image.begin() + 120, image.end()));
        EXPECT_EQ(replyBody(port.ask(writeRequest(8, {9, 8, 7, 6, 5, 4, 3, 2}))), Bytes{0x85});
        EXPECT_EQ(blockOf(replyBody(port.ask(readRequest(8))).value_or(Bytes{})),
                  (Bytes{9, 8, 7, 6, 5, 4, 3, 2}));
        EXPECT_EQ(port.ask(kEndProgramming), (Bytes{0x86, 0x87, 0x0D}));
    }
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
    Bytes saved;
    ASSERT_EQ(loadEepFile(eep, saved, error), EepLoad::Loaded) << error;
    std::copy_n(Bytes{9, 8, 7, 6, 5, 4, 3, 2}.begin(), 8, image.begin() + 8);
    EXPECT_EQ(saved, image);
}

TEST(SimProgram, SurvivesSeveralClientSessions) {
    TempDir dir;
    const std::string eep = dir / "new.eep";
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.start({"--eeprom", eep, "--wire-speed", "115200"}, error)) << error;
    for (int session = 0; session < 3; ++session) {
        PtyClient port(sim.ptyPath());
        ASSERT_TRUE(port.isOpen()) << "case: session " << session;
        EXPECT_EQ(port.ask({command::Programming}), (Bytes{0x81, 0x82, 0x0D}))
            << "case: session " << session;
        const auto stored = static_cast<std::uint8_t>(session);
        EXPECT_EQ(replyBody(port.ask(writeRequest(16, Bytes(8, stored)))), Bytes{0x85})
            << "case: session " << session;
        EXPECT_EQ(port.ask(kEndProgramming), (Bytes{0x86, 0x87, 0x0D}))
            << "case: session " << session;
    }
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
    Bytes saved;
    ASSERT_EQ(loadEepFile(eep, saved, error), EepLoad::Loaded) << "a missing file is created";
    ASSERT_EQ(saved.size(), 1024u);
    EXPECT_EQ(saved[16], 2);
    EXPECT_EQ(saved[0], 0xFF) << "a new EEPROM is blank";
}

TEST(SimProgram, InjectsFaultsFromTheCommandLine) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.start({"--corrupt", "1", "--refuse-deactivation", "--seed", "5"}, error))
        << error;
    PtyClient port(sim.ptyPath());
    const Bytes reply = port.ask({command::Programming});
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0], 0x81);
    EXPECT_FALSE(replyBody(reply)) << "checksum spoilt";
    const Bytes refused = port.ask(kEndProgramming);
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(refused[0], kRefusalCode);
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
}
