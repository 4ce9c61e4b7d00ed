#include "simulator/app/SimOptions.h"

#include "simulator/app/EepFile.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

using namespace rq7::sim;
using namespace std::chrono_literals;

TEST(SimOptions, DefaultsAreAnRq7WithOneKilobyte) {
    SimOptions o;
    ASSERT_FALSE(parseSimOptions({}, o));
    EXPECT_EQ(o.device.profile.identification, 0x03D302u);
    EXPECT_EQ(o.device.profile.versionMajor, 1);
    EXPECT_EQ(o.device.profile.versionMinor, 5);
    EXPECT_EQ(o.device.profile.memoryCode, 3);
    EXPECT_EQ(o.device.profile.modemCode, 4);
    EXPECT_EQ(o.device.pressAfter, 0us);
    EXPECT_EQ(o.wireSpeed, 0u);
    EXPECT_TRUE(o.eepromFile.empty());
    EXPECT_FALSE(o.device.faults.refuseDeactivation);
    EXPECT_FALSE(o.help);
}

TEST(SimOptions, EachOptionSetsItsField) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::function<bool(const SimOptions&)> holds;
    };
    const Case cases[] = {
        {"id",
         {"--id", "34AF02"},
         [](const SimOptions& o) { return o.device.profile.identification == 0x34AF02; }},
        {"id lower case",
         {"--id=8ad302"},
         [](const SimOptions& o) { return o.device.profile.identification == 0x8AD302; }},
        {"version",
         {"--device-version", "2.10"},
         [](const SimOptions& o) {
             return o.device.profile.versionMajor == 2 && o.device.profile.versionMinor == 10;
         }},
        {"memory",
         {"--memory", "9"},
         [](const SimOptions& o) { return o.device.profile.memoryCode == 9; }},
        {"modem",
         {"--modem", "0"},
         [](const SimOptions& o) { return o.device.profile.modemCode == 0; }},
        {"eeprom size",
         {"--eeprom-size", "256"},
         [](const SimOptions& o) { return o.device.eepromSize == 256; }},
        {"eeprom file",
         {"--eeprom", "a.eep"},
         [](const SimOptions& o) { return o.eepromFile == "a.eep"; }},
        {"press after",
         {"--press-after", "1.5"},
         [](const SimOptions& o) { return o.device.pressAfter == 1500ms; }},
        {"reply delay",
         {"--reply-delay", "2.5"},
         [](const SimOptions& o) { return o.device.replyDelay == 2500us; }},
        {"late delay",
         {"--late-delay", "3000"},
         [](const SimOptions& o) { return o.device.lateDelay == 3s; }},
        {"wire speed",
         {"--wire-speed", "19200"},
         [](const SimOptions& o) { return o.wireSpeed == 19200; }},
        {"faults",
         {"--drop", "0.1", "--corrupt", "0.2", "--late", "0.3", "--short", "0.4", "--misread",
          "0.5", "--bad-write", "1", "--stall", "0.6"},
         [](const SimOptions& o) {
             const FaultRates& f = o.device.faults;
             return f.drop == 0.1 && f.corrupt == 0.2 && f.late == 0.3 && f.shortReply == 0.4 &&
                    f.misread == 0.5 && f.badWrite == 1.0 && f.stall == 0.6;
         }},
        {"seed",
         {"--seed", "18446744073709551615"},
         [](const SimOptions& o) { return o.device.seed == 18446744073709551615ULL; }},
        {"refuse and late repeats",
         {"--refuse-deactivation", "--late-repeats"},
         [](const SimOptions& o) {
             return o.device.faults.refuseDeactivation && o.device.faults.lateRepeats;
         }},
        {"verbose, help and the program's version",
         {"--verbose", "--help", "--version"},
         [](const SimOptions& o) { return o.verbose && o.help && o.version; }},
    };
    for (const Case& c : cases) {
        SimOptions o;
        const auto problem = parseSimOptions(c.args, o);
        EXPECT_FALSE(problem) << "case: " << c.name << ": " << problem.value_or("");
        EXPECT_TRUE(c.holds(o)) << "case: " << c.name;
    }
}

TEST(SimOptions, BadValuesAreRejectedWithTheOptionNamed) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--id", "3D302"}, "--id"},
        {{"--id", "03D3G2"}, "--id"},
        {{"--id", "-3D302"}, "--id"},
        {{"--device-version", "1"}, "--device-version"},
        {{"--device-version", "1.256"}, "--device-version"},
        {{"--device-version", "a.b"}, "--device-version"},
        {{"--memory", "256"}, "--memory"},
        {{"--modem", "-1"}, "--modem"},
        {{"--eeprom-size", "100"}, "--eeprom-size"},
        {{"--eeprom-size", "1001"}, "--eeprom-size"},
        {{"--eeprom-size", "65544"}, "--eeprom-size"},
        {{"--drop", "1.5"}, "--drop"},
        {{"--corrupt", "-0.1"}, "--corrupt"},
        {{"--late", "x"}, "--late"},
        {{"--short", "nan"}, "--short"},
        {{"--press-after", "-1"}, "--press-after"},
        {{"--wire-speed", "fast"}, "--wire-speed"},
        {{"--seed", "1e3"}, "--seed"},
        {{"--memory"}, "--memory"},
        {{"--frobnicate"}, "--frobnicate"},
        {{"--verbose=yes"}, "--verbose"},
        {{"--version=1.5"}, "--version"},
        {{"extra"}, "extra"},
    };
    for (const Case& c : cases) {
        SimOptions o;
        const auto problem = parseSimOptions(c.args, o);
        ASSERT_TRUE(problem) << "case: " << c.args[0];
        EXPECT_NE(problem->find(c.mentions), std::string::npos)
            << "case: " << c.args[0] << ": " << *problem;
    }
}

TEST(SimOptions, UsageNamesEveryOption) {
    const std::string usage = simUsage();
    for (const char* name :
         {"--id", "--device-version", "--memory", "--modem", "--eeprom ", "--press-after",
          "--wire-speed", "--drop", "--corrupt", "--late ", "--stall", "--short", "--misread",
          "--seed", "--refuse-deactivation", "--late-repeats", "--help", "--version "})
        EXPECT_NE(usage.find(name), std::string::npos) << "case: " << name;
}

TEST(SimEepFile, SaveThenLoadGivesTheSameBytesAndMissingIsTold) {
    const rq7::test::TempDir dir;
    const std::string path = dir / "device.eep";
    Bytes image(1024);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i ^ (i >> 3));
    std::string error;
    Bytes loaded{1, 2, 3};
    EXPECT_EQ(loadEepFile(path, loaded, error), EepLoad::Missing);
    EXPECT_TRUE(loaded.empty());
    ASSERT_TRUE(saveEepFile(path, image, error)) << error;
    EXPECT_EQ(loadEepFile(path, loaded, error), EepLoad::Loaded) << error;
    EXPECT_EQ(loaded, image);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";

    EXPECT_FALSE(saveEepFile(dir / "no/such/dir.eep", image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(loadEepFile(dir.str(), loaded, error), EepLoad::Failed) << "a directory is no file";
}
