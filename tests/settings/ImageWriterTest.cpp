#include "settings/ImageWriter.h"

#include "ImageBytes.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsSize.h"

#include <functional>
#include <gtest/gtest.h>

using namespace rq7;
using rq7::test::bytesAsString;
using rq7::test::imageBytes;

namespace {

WriteResult write(const SettingsRecord& record, EepromImage& image) {
    return WriteImage(record, image);
}

} // namespace

TEST(ImageWriter, InitialValuesGiveTheEmptyImage) {
    EepromImage image;
    const SettingsRecord record;
    const WriteResult res = write(record, image);
    ASSERT_TRUE(res.ok) << res.field << ": " << res.reason;
    EXPECT_EQ(res.length, 149);
    EXPECT_EQ(SettingsSize(record), 150);

    const std::vector<int> header = {0x40, 0x00, 0x48, 0x00, 0x50, 0x00, 0x58, 0x00, 0x60,
                                     0x00, 0x68, 0x00, 0x80, 0x00, 0x70, 0x00, 0x78, 0x00,
                                     0x88, 0x00, 0x8D, 0x00, 0x20, 0x00, 0x1A, 0x27, 0xD7};
    EXPECT_EQ(imageBytes(image, 0, 27), header);

    const std::vector<int> fixed = {20, 169, 0, 0, 0, 0, 0, 1, 15, 1, 16, 0,    0,    0,    5,   0,
                                    0,  0,   0, 1, 1, 1, 1, 1, 1,  1, 1,  0xC4, 0xC9, 0x01, 0x00};
    EXPECT_EQ(imageBytes(image, 32, 31), fixed);
    EXPECT_EQ(imageBytes(image, 64, 85), std::vector<int>(85, 0));
    EXPECT_TRUE(image.IsImageValid());
}

TEST(ImageWriter, FixedBlockValues) {
    struct Case {
        const char* name;
        std::function<void(SettingsRecord&)> change;
        long address;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"empty validity counts 0 days", [](auto& r) { r.tabDobaPlatnostiSMS = ""; }, 33, {166}},
        {"validity 30 days", [](auto& r) { r.tabDobaPlatnostiSMS = "30"; }, 33, {196}},
        {"validity keeps whole days", [](auto& r) { r.tabDobaPlatnostiSMS = "7.9"; }, 33, {173}},
        {"validity 89 days", [](auto& r) { r.tabDobaPlatnostiSMS = "89"; }, 33, {255}},
        {"JTS on with 7",
         [](auto& r) {
             r.tabPrepnoutJTS = kFlagOn;
             r.tabPrepnoutJTSCislo = "7";
         },
         40,
         {7}},
        {"JTS off ignores the digit", [](auto& r) { r.tabPrepnoutJTSCislo = "7"; }, 40, {15}},
        {"JTS grey counts as off",
         [](auto& r) {
             r.tabPrepnoutJTS = kFlagGrey;
             r.tabPrepnoutJTSCislo = "x";
         },
         40,
         {15}},
        {"pulse with parity",
         [](auto& r) {
             r.tabKOMUNIKFormat = kFormatPulse;
             r.tabKOMUNIKParita = kParityEven;
         },
         41,
         {18}},
        {"SIA with parity", [](auto& r) { r.tabKOMUNIKParita = kParityEven; }, 41, {2}},
        {"2300 Hz, 10 tests",
         [](auto& r) {
             r.tabKOMUNIKFrekvence = kFrequency2300;
             r.tabKOMUNIKPocetTestu = "10";
         },
         42,
         {161}},
        {"blocks 100", [](auto& r) { r.tabKOMUNIKPocetBloku = "100"; }, 39, {100}},
        {"blocks half to even", [](auto& r) { r.tabKOMUNIKPocetBloku = "2.5"; }, 39, {2}},
        {"RFR 768", [](auto& r) { r.tabRFRWait = "768"; }, 45, {255}},
        {"RFR 770", [](auto& r) { r.tabRFRWait = "770"; }, 45, {255}},
        {"RFR 5", [](auto& r) { r.tabRFRWait = "5"; }, 45, {0}},
        {"RFR 6", [](auto& r) { r.tabRFRWait = "6"; }, 45, {1}},
        {"wait free 90", [](auto& r) { r.tabWaitFree = "90"; }, 46, {90}},
        {"impulse 255", [](auto& r) { r.tabOUTimpulsLEN[3] = "255"; }, 51, {1, 1, 1, 255, 1}},
        {"impulse halves to even",
         [](auto& r) {
             r.tabOUTimpulsLEN[0] = "2.5";
             r.tabOUTimpulsLEN[1] = "3.5";
             r.tabOUTimpulsLEN[7] = "0";
         },
         51,
         {2, 4, 1, 1, 1, 1, 1, 0}},
        {"existence 2.5 minutes", [](auto& r) { r.eeExistTime = "2.5"; }, 59, {0xE2, 0xE4, 0, 0}},
        {"existence 0", [](auto& r) { r.eeExistTime = "0"; }, 59, {0, 0, 0, 0}},
        {"existence 91625 minutes",
         [](auto& r) { r.eeExistTime = "91625"; },
         59,
         {0x4A, 0xA7, 0xFF, 0x7F}},
        {"unauthorised report with text",
         [](auto& r) { r.rtNotAuthorized = "x"; },
         32,
         {4 + 16 + 64}},
        {"unauthorised report off", [](auto& r) { r.opNotAuthorized = kFlagOff; }, 32, {20}},
        {"all general flags",
         [](auto& r) {
             r.tabPrepnoutNepovolPristup = kFlagOn;
             r.tabOdpovidatT0 = kFlagOn;
             r.rtNotAuthorized = "x";
         },
         32,
         {1 + 4 + 16 + 32 + 64}},
        {"grey flags count as off",
         [](auto& r) {
             r.tabBezpecRezim = kFlagGrey;
             r.opExist = kFlagGrey;
             r.tabOdpovidatT0 = kFlagGrey;
         },
         32,
         {0}},
        {"masks",
         [](auto& r) {
             r.tabTCPrijem = {1, 0, 1, 0, 0, 0, 0, 1};
             r.tabTCPoplach[1] = 1;
             r.tabTCUdalost[2] = 1;
             r.tabINPZpr[3] = 1;
             r.tabOUTZpr[4] = 1;
             r.tabOUTZpr[5] = kFlagGrey;
         },
         34,
         {0x85, 0x02, 0x04, 0x08, 0x10}},
        {"event and negation masks",
         [](auto& r) {
             r.tabINPLHEvent[0] = 1;
             r.tabINPHLEvent[7] = 1;
             r.tabOUTNeg[6] = 1;
             r.tabINPNeg[5] = 1;
         },
         47,
         {0x01, 0x80, 0x40, 0x20}},
    };
    for (const Case& c : cases) {
        SettingsRecord record;
        c.change(record);
        EepromImage image;
        const WriteResult res = write(record, image);
        ASSERT_TRUE(res.ok) << "case: " << c.name << ": " << res.field << " " << res.reason;
        EXPECT_EQ(imageBytes(image, c.address, static_cast<long>(c.expected.size())), c.expected)
            << "case: " << c.name;
        EXPECT_TRUE(image.IsImageValid()) << "case: " << c.name;
    }
}

TEST(ImageWriter, ConversionFailures) {
    struct Case {
        const char* field;
        const char* value;
        const char* failed; // the field the writer names
    };
    const Case cases[] = {
        {"tabRFRWait", "", "tabRFRWait"},
        {"tabRFRWait", "2", "tabRFRWait"},
        {"tabRFRWait", "771", "tabRFRWait"},
        {"tabRFRWait", "abc", "tabRFRWait"},
        {"tabDobaPlatnostiSMS", "90", "tabDobaPlatnostiSMS"},
        {"tabDobaPlatnostiSMS", "-167", "tabDobaPlatnostiSMS"},
        {"tabKOMUNIKPocetBloku", "", "tabKOMUNIKPocetBloku"},
        {"tabKOMUNIKPocetBloku", "abc", "tabKOMUNIKPocetBloku"},
        {"tabKOMUNIKPocetBloku", "12a", "tabKOMUNIKPocetBloku"},
        {"tabKOMUNIKPocetBloku", "256", "tabKOMUNIKPocetBloku"},
        {"tabKOMUNIKPocetBloku", "255.5", "tabKOMUNIKPocetBloku"},
        {"tabKOMUNIKPocetBloku", "-1", "tabKOMUNIKPocetBloku"},
        {"tabKOMUNIKPocetTestu", "16", "tabKOMUNIKPocetTestu"},
        {"tabWaitFree", "x", "tabWaitFree"},
        {"tabOUTimpulsLEN(5)", "", "tabOUTimpulsLEN(5)"},
        {"tabOUTimpulsLEN(0)", "300", "tabOUTimpulsLEN(0)"},
        {"eeExistTime", "91626", "eeExistTime"},
        {"eeExistTime", "-1", "eeExistTime"},
        {"tabKOMUNIKParita", "", "tabKOMUNIKParita"},
        {"tabKOMUNIKFormat", "pulzni", "tabKOMUNIKFormat"},
        {"tabKOMUNIKFrekvence", "1400", "tabKOMUNIKFrekvence"},
        {"tabTC(6)", nullptr, "tabTC(6)"}, // 256 digits, filled in below
    };
    for (const Case& c : cases) {
        SettingsRecord record;
        const SettingsField* field = findSettingsField(c.field);
        ASSERT_NE(field, nullptr) << c.field;
        field->text(record) = c.value ? c.value : std::string(256, '1');
        EepromImage image;
        const WriteResult res = write(record, image);
        EXPECT_FALSE(res.ok) << "case: " << c.field << "=" << (c.value ? c.value : "...");
        EXPECT_EQ(res.field, c.failed) << "case: " << c.field << "=" << (c.value ? c.value : "");
        EXPECT_FALSE(image.IsImageValid()) << "case: " << c.field;
    }

    SettingsRecord jts;
    jts.tabPrepnoutJTS = kFlagOn;
    jts.tabPrepnoutJTSCislo = "x";
    EepromImage image;
    EXPECT_EQ(write(jts, image).field, "tabPrepnoutJTSCislo");
}

TEST(ImageWriter, SettingsTooLargeForTheBufferFail) {
    SettingsRecord record;
    record.tabTCcentra = std::string(70000, '1');
    EepromImage image;
    const WriteResult res = write(record, image);
    EXPECT_FALSE(res.ok);
    EXPECT_EQ(res.field, "");
    EXPECT_FALSE(image.IsImageValid());
}

TEST(ImageWriter, VariableAreaLayout) {
    SettingsRecord r;
    r.tabINPNazev[0] = "AB";
    r.tabOUTNazev[1] = "C";
    r.tabOUTimpuls[7] = "Z";
    r.tabINPLH[0] = u8"č日"; // E8 in the code page; the other has no byte there
    r.tabJmenoStanice = "St";
    r.tabTCcentra = "Op <123>";
    r.rtNotAuthorized = std::string(1, '\0'); // stored as "?", not as a terminator
    r.tabTC[0] = "+1";
    r.tabTC[2] = "123456789";
    EepromImage image;
    const WriteResult res = write(r, image);
    ASSERT_TRUE(res.ok) << res.field;

    const auto z = [](std::size_t n) { return std::string(n, '\0'); };
    const auto str = [](const std::string& text) { return text + '\0'; };
    const std::string expected = str("AB") + z(7) +          // input names @64
                                 z(1) + str("C") + z(6) +    // output names @74
                                 z(8) + z(8) + z(8) + z(8) + // states @83..@107
                                 str("\xE8?") + z(7) +       // rising reports @115
                                 z(8) +                      // falling reports @125
                                 z(7) + str("Z") +           // impulse names @133
                                 str("St") + z(1) + str("123") + z(1) + str("?") +    // @142
                                 str("0191F1") + z(1) + str("098121436587F9") + z(5); // @153
    ASSERT_EQ(expected.size(), 181u - 64u);
    EXPECT_EQ(bytesAsString(image, 64, static_cast<long>(expected.size())), expected);
    EXPECT_EQ(res.length, 64 + static_cast<long>(expected.size()));
    EXPECT_EQ(SettingsSize(r), res.length + 1);

    const std::vector<int> words = {64, 74, 83, 91, 99, 107, 133, 115, 125, 142, 153, 32, 10010};
    for (std::size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(image.GetImageWord(static_cast<long>(2 * i)), words[i])
            << "header word " << 2 * i;
}

TEST(ImageWriter, PlusAloneIsStoredAsTheEmptyEntry) {
    SettingsRecord plus;
    plus.tabTC[3] = "+";
    plus.tabTC[4] = "+1";
    SettingsRecord empty = plus;
    empty.tabTC[3] = "";
    EepromImage a, b;
    const WriteResult ra = write(plus, a);
    const WriteResult rb = write(empty, b);
    ASSERT_TRUE(ra.ok && rb.ok);
    EXPECT_EQ(ra.length, rb.length);
    EXPECT_EQ(imageBytes(a, 0, ra.length), imageBytes(b, 0, rb.length));
    EXPECT_EQ(SettingsSize(plus), ra.length + 1);
}

TEST(ImageWriter, ChecksumThirteenBecomesTwelve) {
    // 54 extra bytes before the telephone block raise word 20 from 8D to C3,
    // which takes the header sum from D7 to 13.
    SettingsRecord r;
    r.tabJmenoStanice = std::string(54, 'a');
    EepromImage image;
    ASSERT_TRUE(write(r, image).ok);
    EXPECT_EQ(image.GetImageWord(20), 0x8D + 54);
    EXPECT_EQ(image.GetImageByte(26), 12);
    EXPECT_TRUE(image.IsImageValid());
}

TEST(ImageWriter, RunsTwiceIdenticallyAndLeavesGapsAlone) {
    SettingsRecord r;
    r.tabINPNazev[2] = "Dvere";
    r.tabTC[1] = "+420123456789";
    EepromImage image;
    for (long a : {27L, 28L, 29L, 30L, 31L, 63L})
        image.SetImageByte(0xAA, a);
    for (long a = 150; a < 400; ++a)
        image.SetImageByte(0x55, a);

    const WriteResult first = write(r, image);
    ASSERT_TRUE(first.ok);
    const std::vector<int> firstBytes = imageBytes(image, 0, first.length);
    const WriteResult second = write(r, image);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.length, first.length);
    EXPECT_EQ(imageBytes(image, 0, second.length), firstBytes);

    EXPECT_EQ(imageBytes(image, 27, 5), std::vector<int>(5, 0xAA));
    EXPECT_EQ(image.GetImageByte(63), 0xAA);
    EXPECT_EQ(imageBytes(image, first.length, 400 - first.length),
              std::vector<int>(static_cast<std::size_t>(400 - first.length), 0x55));
}
