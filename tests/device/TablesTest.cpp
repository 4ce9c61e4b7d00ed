#include "device/DeviceTables.h"
#include "device/Identification.h"
#include "device/PortName.h"
#include "tests/device/TestDevice.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>

namespace rq7::device::test {
namespace {

Frame ReplyOf(const std::string& chars, std::uint8_t code) {
    Frame f = MakeRequest(code);
    for (char c : chars)
        f.data[static_cast<std::size_t>(f.length++)] = static_cast<std::uint8_t>(c);
    return f;
}

TEST(Identification, CodesAndVersionsDecode) {
    struct Case {
        const char* name;
        std::string chars; // D(1..10)
        const char* model; // nullptr: unknown
        const char* version;
    };
    const Case cases[] = {
        {"TMV", "20FA432010", "TMV", "1.2"},
        {"RQ7", "203D305010", "RQ7", "1.5"},
        {"RQ7_04 second code", "203DA85010", "RQ7_04", "1.5"},
        {"RQ7_08", "203DD85010", "RQ7_08", "1.5"},
        {"unknown", "1111110020", nullptr, "2.0"},
        {"two-digit parts", "20FA43C0A0", "TMV", "10.12"},
    };
    for (const Case& c : cases) {
        const auto id = DecodeIdentification(ReplyOf(c.chars, 0x82));
        ASSERT_TRUE(id) << "case: " << c.name;
        const auto row = FindProduct(id->code);
        if (c.model) {
            ASSERT_TRUE(row) << "case: " << c.name;
            EXPECT_STREQ(ProductTable[*row].name, c.model) << "case: " << c.name;
        } else {
            EXPECT_FALSE(row) << "case: " << c.name;
        }
        EXPECT_EQ(VersionText(id->major, id->minor), c.version) << "case: " << c.name;
    }
}

TEST(Identification, MalformedRepliesGiveNothing) {
    struct Case {
        const char* name;
        Frame reply;
    };
    const Case cases[] = {
        {"wrong answer code", ReplyOf("203D301050", 0x83)},
        {"too short", ReplyOf("203D3010", 0x82)},
        {"answer code only", ReplyOf("", 0x82)},
        {"not hex", ReplyOf("203D30105Z", 0x82)},
        {"nothing", Frame{}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(DecodeIdentification(c.reply)) << "case: " << c.name;
    EXPECT_FALSE(DecodeHardware(ReplyOf("3", 0x83)));
    EXPECT_FALSE(DecodeHardware(ReplyOf("3040", 0x82)));
    EXPECT_FALSE(DecodeHardware(ReplyOf("30-0", 0x83)));
    const auto hw = DecodeHardware(ReplyOf("3040", 0x83));
    ASSERT_TRUE(hw);
    EXPECT_EQ(hw->memoryCode, 3);
    EXPECT_EQ(hw->modemCode, 4);
}

TEST(Identification, VersionIsComparedAsANumber) {
    struct Case {
        const char* shown;
        const char* minimum;
        bool accepted;
    };
    const Case cases[] = {
        {"1.4", "1.5", false}, {"1.5", "1.5", true},  {"1.6", "1.5", true},
        {"1.1", "1.2", false}, {"1.2", "1.2", true},  {"1.10", "1.2", false},
        {"2.0", "1.5", true},  {"10.0", "1.5", true}, {"0.9", "1.2", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionAccepted(c.shown, c.minimum), c.accepted)
            << "case: " << c.shown << " vs " << c.minimum;
    EXPECT_EQ(EffectiveMinimum(""), "1.2");
    EXPECT_EQ(EffectiveMinimum("0.0"), "1.2");
    EXPECT_EQ(EffectiveMinimum("1.5"), "1.5");
    EXPECT_DOUBLE_EQ(VersionValue("?"), 0.0);
    EXPECT_DOUBLE_EQ(VersionValue(" 1.25x"), 1.25);
}

TEST(Tables, SizesAndModemsByCode) {
    struct Case {
        int code;
        const char* size; // nullptr: no row
        long bytes;
    };
    const Case cases[] = {{0, "   128 byte", 128},   {3, "  1024 byte", 1024},
                          {7, " 16384 byte", 16384}, {9, " 65536 byte", 65536},
                          {10, nullptr, 0},          {-1, nullptr, 0}};
    for (const Case& c : cases) {
        const MemorySizeRow* row = FindMemorySize(c.code);
        if (!c.size) {
            EXPECT_EQ(row, nullptr) << "case: " << c.code;
            continue;
        }
        ASSERT_NE(row, nullptr) << "case: " << c.code;
        EXPECT_STREQ(row->text, c.size) << "case: " << c.code;
        EXPECT_EQ(row->bytes, c.bytes) << "case: " << c.code;
        EXPECT_EQ(LeadingNumber(row->text), c.bytes) << "case: " << c.code;
        EXPECT_EQ(std::string(row->text).size(), 11u) << "case: " << c.code;
    }
    ASSERT_NE(FindModem(0), nullptr);
    EXPECT_STREQ(FindModem(0)->text, "M1 Siemens");
    EXPECT_STREQ(FindModem(4)->text, "TC35 Siemens");
    EXPECT_EQ(FindModem(5), nullptr);
    EXPECT_EQ(LeadingNumber("?"), 0);
    EXPECT_EQ(ProductNameList(),
              "TMV, PKJ, RQ7, VOCALIX, RQ7_01, RQ7_04, RQ7_04, RQ7_06, RQ7_07, RQ7_08");
}

TEST(Tables, EveryModelByItsCodeWithItsMinimum) {
    struct Case {
        std::uint32_t code;
        const char* name;
        const char* minimum; // after an empty entry became the default
    };
    const Case cases[] = {
        {0x34AF02, "TMV", "1.2"},     {0x51A502, "PKJ", "1.2"},    {0x03D302, "RQ7", "1.2"},
        {0x04D302, "VOCALIX", "1.2"}, {0x88D302, "RQ7_01", "1.5"}, {0x89D302, "RQ7_04", "1.5"},
        {0x8AD302, "RQ7_04", "1.5"},  {0x8BD302, "RQ7_06", "1.5"}, {0x8CD302, "RQ7_07", "1.5"},
        {0x8DD302, "RQ7_08", "1.5"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const auto row = FindProduct(c.code);
        ASSERT_TRUE(row) << "case: " << c.name;
        EXPECT_EQ(*row, i) << "case: " << c.name;
        EXPECT_STREQ(ProductTable[*row].name, c.name) << "case: " << c.name;
        EXPECT_EQ(EffectiveMinimum(ProductTable[*row].minimumVersion), c.minimum)
            << "case: " << c.name;
    }
    for (std::uint32_t unknown : {0x000000u, 0x02AF34u, 0x8ED302u, 0xD302u})
        EXPECT_FALSE(FindProduct(unknown)) << "case: " << std::hex << unknown;
    const char* modems[] = {"M1 Siemens", "A1 Falcom", "A1 Siemens", "M20 Siemens", "TC35 Siemens"};
    for (int code = 0; code < 5; ++code) {
        ASSERT_NE(FindModem(code), nullptr) << "case: modem " << code;
        EXPECT_STREQ(FindModem(code)->text, modems[code]) << "case: modem " << code;
    }
    for (int code = 0; code < 10; ++code) {
        const MemorySizeRow* row = FindMemorySize(code);
        ASSERT_NE(row, nullptr) << "case: memory " << code;
        EXPECT_EQ(row->bytes, 128L << code) << "case: memory " << code;
        char shown[16];
        std::snprintf(shown, sizeof shown, "%6ld byte", 128L << code);
        EXPECT_STREQ(row->text, shown) << "case: memory " << code;
    }
}

TEST(PortNames, ComPortsMapToSystemNames) {
    struct Case {
        const char* shown;
        int number;
    };
    const Case cases[] = {{"COM 1", 1}, {"COM 3", 3}, {"COM 4", 4},      {"com2", 2},
                          {"COM 5", 0}, {"COM 0", 0}, {"/dev/pts/3", 0}, {"", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ComPortNumber(c.shown), c.number) << "case: " << c.shown;
#ifdef _WIN32
    EXPECT_EQ(SystemPortName("COM 3"), "COM3");
#else
    EXPECT_EQ(SystemPortName("COM 1"), "/dev/ttyS0");
    EXPECT_EQ(SystemPortName("COM 4"), "/dev/ttyS3");
#endif
    EXPECT_EQ(SystemPortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

} // namespace
} // namespace rq7::device::test
