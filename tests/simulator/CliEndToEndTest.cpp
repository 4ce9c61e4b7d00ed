// rq7ctl identify, read and write against rq7-sim on a pseudo-terminal: the
// real serial transport and event-loop wait, end to end.

#include "SimProcess.h"
#include "device/Block.h"
#include "simulator/app/EepFile.h"
#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"
#include "ui/language/catalogue/Texts.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <unistd.h>

using namespace rq7::sim;
using namespace rq7::sim::testing;
using namespace rq7::test;

namespace {

Bytes randomImage(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

Bytes fileBytes(const std::string& path) {
    Bytes bytes;
    std::string error;
    loadEepFile(path, bytes, error);
    return bytes;
}

} // namespace

TEST(CliEndToEnd, IdentifyShowsWhatTheDeviceReports) {
    struct Case {
        const char* name;
        std::vector<std::string> simArgs;
        const char* expected; // identify's standard output
        int exitCode;
    };
    const Case cases[] = {
        {"RQ7 by default",
         {},
         "lblInfoProdukt=RQ7\nlblInfoVerze=1.5\nlblInfoPamSize=  1024 byte\n"
         "lblInfoModem=TC35 Siemens\nConnectionState=Aktivni\n",
         0},
        {"RQ7_04, largest EEPROM",
         {"--id", "8AD302", "--device-version", "2.0", "--memory", "9", "--modem", "0"},
         "lblInfoProdukt=RQ7_04\nlblInfoVerze=2.0\nlblInfoPamSize= 65536 byte\n"
         "lblInfoModem=M1 Siemens\nConnectionState=Aktivni\n",
         0},
        {"RQ7_01 below its minimum version",
         {"--id", "88D302", "--device-version", "1.4"},
         "lblInfoProdukt=RQ7_01\nlblInfoVerze=1.4\nlblInfoPamSize=  1024 byte\n"
         "lblInfoModem=TC35 Siemens\nConnectionState=Aktivni-spatna verze\n",
         1},
        {"codes without table rows",
         {"--memory", "10", "--modem", "5"},
         "lblInfoProdukt=RQ7\nlblInfoVerze=1.5\nlblInfoPamSize=?\nlblInfoModem=?\n"
         "ConnectionState=Aktivni\n",
         0},
    };
    for (const Case& c : cases) {
        SimProcess sim;
        std::string error;
        ASSERT_TRUE(sim.start(c.simArgs, error)) << "case: " << c.name << ": " << error;
        const ProgramResult identify =
            runRq7ctl({"identify", "--port", sim.ptyPath(), "--wait", "20"});
        EXPECT_EQ(identify.exitCode, c.exitCode) << "case: " << c.name << '\n' << identify.err;
        EXPECT_EQ(identify.out, c.expected) << "case: " << c.name;
        EXPECT_EQ(sim.stop(), 0) << "case: " << c.name << '\n' << sim.errorOutput();
    }
}

TEST(CliEndToEnd, FullReadReturnsTheDeviceEepromByteForByte) {
    TempDir dir;
    const std::string device = dir / "device.eep";
    const Bytes contents = randomImage(2048, 11);
    std::string error;
    ASSERT_TRUE(saveEepFile(device, contents, error)) << error;

    SimProcess sim;
    ASSERT_TRUE(sim.start({"--memory", "4", "--eeprom", device}, error)) << error;
    const std::string out = dir / "read.eep";
    const ProgramResult read = runRq7ctl({"read", "--full", "--port", sim.ptyPath(), "-o", out});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(fileBytes(out), contents);

    // The same device in a second session, paced like the real line.
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
    SimProcess paced;
    ASSERT_TRUE(paced.start(
        {"--memory", "0", "--eeprom", dir / "small.eep", "--wire-speed", "19200"}, error))
        << error;
    const std::string small = dir / "small-read.eep";
    const ProgramResult second =
        runRq7ctl({"read", "--port", paced.ptyPath(), "-o", small, "--full"});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(fileBytes(small), Bytes(128, 0xFF)) << "a blank 128-byte EEPROM";

    // Without --full a blank device gives what was read: its header blocks.
    const std::string header = dir / "header.eep";
    const ProgramResult blank = runRq7ctl({"read", "--port", paced.ptyPath(), "-o", header});
    EXPECT_EQ(blank.exitCode, 3) << blank.err;
    EXPECT_EQ(fileBytes(header), Bytes(32, 0xFF)) << "the four header blocks";
    EXPECT_EQ(paced.stop(), 0) << paced.errorOutput();
}

TEST(CliEndToEnd, ReadUnderFaultsIsRightOrFails) {
    TempDir dir;
    const std::string device = dir / "device.eep";
    const Bytes contents = randomImage(1024, 12);
    std::string error;
    ASSERT_TRUE(saveEepFile(device, contents, error)) << error;
    int succeeded = 0;
    // An unanswered barrier after a lost reply costs three seconds, so
    // losses are kept rare here; the randomized in-process transfers cover
    // heavy loss.
    for (const char* seed : {"1", "2", "3"}) {
        SimProcess sim;
        ASSERT_TRUE(sim.start({"--eeprom", device, "--drop", "0.01", "--corrupt", "0.05", "--short",
                               "0.05", "--seed", seed},
                              error))
            << error;
        const std::string out = dir / (std::string("read-") + seed + ".eep");
        const ProgramResult read =
            runRq7ctl({"read", "--full", "--port", sim.ptyPath(), "-o", out});
        if (read.exitCode == 0) {
            ++succeeded;
            EXPECT_EQ(fileBytes(out), contents) << "case: seed " << seed;
        } else {
            EXPECT_EQ(read.exitCode, 1) << "case: seed " << seed << '\n' << read.err;
            EXPECT_NE(::access(out.c_str(), F_OK), 0) << "case: seed " << seed << ": no file";
        }
        EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
    }
    std::cout << succeeded << " of 3 reads under faults succeeded\n";
}

TEST(CliEndToEnd, WriteLeavesTheDeviceHoldingTheImage) {
    TempDir dir;
    ::setenv("RQ7_BACKUP_DIR", (dir / "backups").c_str(), 1);
    // A valid settings file with the initial settings.
    const std::string settingsText = dir / "settings.txt";
    std::string error;
    ASSERT_TRUE(saveEepFile(settingsText, {}, error)) << error;
    const std::string image = dir / "image.eep";
    const ProgramResult build = runRq7ctl({"build", settingsText, "-o", image});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    const Bytes written = fileBytes(image);
    ASSERT_FALSE(written.empty());

    for (const bool verify : {true, false}) {
        const std::string device = dir / (verify ? "verified.eep" : "unverified.eep");
        const Bytes before = randomImage(1024, verify ? 21 : 22);
        ASSERT_TRUE(saveEepFile(device, before, error)) << error;
        SimProcess sim;
        ASSERT_TRUE(sim.start({"--eeprom", device}, error)) << error;
        std::vector<std::string> args{"write", "--port", sim.ptyPath(), image};
        if (!verify)
            args.push_back("--no-verify");
        const ProgramResult write = runRq7ctl(args);
        EXPECT_EQ(write.exitCode, 0) << "case: verify " << verify << '\n' << write.err;

        // The settings read gives the file written; the whole read shows
        // what else the device holds.
        const std::string settings = dir / "settings.eep";
        const ProgramResult read = runRq7ctl({"read", "--port", sim.ptyPath(), "-o", settings});
        ASSERT_EQ(read.exitCode, 0) << read.err;
        EXPECT_EQ(fileBytes(settings), written) << "case: verify " << verify;
        const std::string back = dir / "back.eep";
        const ProgramResult full =
            runRq7ctl({"read", "--full", "--port", sim.ptyPath(), "-o", back});
        ASSERT_EQ(full.exitCode, 0) << full.err;
        EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();

        const Bytes device1 = fileBytes(back);
        ASSERT_EQ(device1.size(), 1024u);
        EXPECT_EQ(Bytes(device1.begin(), device1.begin() + static_cast<long>(written.size())),
                  written)
            << "case: verify " << verify;
        // Blocks beyond the settings size (image length + 1) are untouched.
        const auto end =
            static_cast<std::size_t>(rq7::device::BlockEnd(static_cast<long>(written.size()) + 1));
        EXPECT_EQ(Bytes(device1.begin() + static_cast<long>(end), device1.end()),
                  Bytes(before.begin() + static_cast<long>(end), before.end()))
            << "case: verify " << verify;
        EXPECT_EQ(fileBytes(device), device1) << "saved on exit as read";
    }
}

TEST(CliEndToEnd, ASimulatorThatEndsMidReadEndsTheReadWithTheLostPortStatus) {
    TempDir dir;
    std::string error;
    SimProcess sim;
    // 64 KiB paced at 19200 baud: the whole read would take minutes.
    ASSERT_TRUE(sim.start({"--memory", "9", "--wire-speed", "19200"}, error)) << error;
    const std::string errPath = dir / "err.txt";
    const int devNull = ::open("/dev/null", O_WRONLY);
    const pid_t read = startProgram(
        binPath("rq7ctl"), {"read", "--full", "--port", sim.ptyPath(), "-o", dir / "out.eep"},
        devNull, errPath);
    ::close(devNull);
    ASSERT_GT(read, 0);
    ::usleep(800 * 1000);
    sim.stop();
    bool ended = false;
    const int status = waitForExit(read, std::chrono::seconds(5), ended);
    if (!ended)
        killProgram(read);
    ASSERT_TRUE(ended) << "rq7ctl kept going after the port went away";
    EXPECT_EQ(status, 5);
    std::ifstream in(errPath);
    const std::string output((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    EXPECT_NE(output.find(rq7::Texts().get("msg070")), std::string::npos) << output;
    EXPECT_NE(::access((dir / "out.eep").c_str(), F_OK), 0) << "no file from a broken read";
}

// diff against the device, and the backup each write leaves of what the
// device held before.
TEST(CliEndToEnd, WriteBacksUpAndDiffComparesWithTheDevice) {
    TempDir dir;
    const std::string backups = dir / "backups";
    ::setenv("RQ7_BACKUP_DIR", backups.c_str(), 1);
    std::string error;
    const auto build = [&](const std::string& name, const std::string& text) {
        ASSERT_TRUE(saveEepFile(dir / (name + ".txt"), Bytes(text.begin(), text.end()), error));
        const ProgramResult built = runRq7ctl({"build", dir / (name + ".txt"), "-o", dir / name});
        ASSERT_EQ(built.exitCode, 0) << built.err;
    };
    build("a.eep", "tabJmenoStanice=Chata7\ntabPIN=1111\n");
    build("b.eep", "tabJmenoStanice=Chata8\ntabPIN=1111\n");
    const std::string a = dir / "a.eep";
    const std::string b = dir / "b.eep";

    SimProcess sim;
    ASSERT_TRUE(sim.start({}, error)) << error;
    const std::string port = sim.ptyPath();
    const ProgramResult first = runRq7ctl({"write", "--port", port, a});
    ASSERT_EQ(first.exitCode, 0) << first.err;

    const ProgramResult differs = runRq7ctl({"diff", b, "--port", port});
    EXPECT_EQ(differs.exitCode, 1) << differs.err;
    EXPECT_EQ(differs.out, "tabJmenoStanice: Chata8 -> Chata7\n");

    const ProgramResult second = runRq7ctl({"write", "--port", port, b});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    const ProgramResult listed = runRq7ctl({"backups"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const std::size_t tab = listed.out.find('\t');
    ASSERT_NE(tab, std::string::npos) << listed.out;
    const std::string backup = listed.out.substr(0, tab);
    EXPECT_NE(listed.out.find("\tRQ7\tChata7\t"), std::string::npos) << listed.out;
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 1) << listed.out;
    EXPECT_EQ(fileBytes(backup), fileBytes(a)) << "what the device held, byte for byte";

    const ProgramResult unguarded = runRq7ctl({"write", "--port", port, "--no-backup", a});
    ASSERT_EQ(unguarded.exitCode, 0) << unguarded.err;
    EXPECT_EQ(runRq7ctl({"backups", "--dir", backups}).out, listed.out) << "--no-backup";
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
}

// A device that refuses to leave programming mode is reported on stderr and
// in the exit status, whatever the command did before; the file a read
// brought is still written.
TEST(CliEndToEnd, RefusedDeactivationExitsWithItsOwnStatus) {
    TempDir dir;
    const std::string out = dir / "read.eep";
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"identify"}, {"read", "--full", "-o", out}}) {
        SimProcess sim;
        std::string error;
        ASSERT_TRUE(sim.start({"--refuse-deactivation"}, error)) << error;
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--port", sim.ptyPath(), "--wait", "20"});
        const ProgramResult r = runRq7ctl(args);
        EXPECT_EQ(r.exitCode, 4) << "case: " << command[0] << '\n' << r.err;
        EXPECT_NE(r.err.find("may still be in"), std::string::npos)
            << "case: " << command[0] << '\n'
            << r.err;
        EXPECT_EQ(sim.stop(), 0) << "case: " << command[0] << '\n' << sim.errorOutput();
    }
    EXPECT_EQ(fileBytes(out).size(), 1024u);
}
