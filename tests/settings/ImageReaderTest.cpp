#include "settings/ImageReader.h"

#include "ImageBytes.h"
#include "settings/ImageWriter.h"

#include <functional>
#include <gtest/gtest.h>

using namespace rq7;
using rq7::test::putBytes;

namespace {

// A valid image of `record`.
EepromImage imageOf(const SettingsRecord& record) {
    EepromImage image;
    const WriteResult res = WriteImage(record, image);
    EXPECT_TRUE(res.ok) << res.field << ": " << res.reason;
    return image;
}

// A record whose every field differs from the initial values, to see which
// fields the reader overwrote.
SettingsRecord scribbled() {
    SettingsRecord r;
    r.tabJmenoStanice = "old station";
    r.tabPIN = "9999";
    r.tabTCcentra = "old centre";
    r.tabDobaPlatnostiSMS = "old";
    r.tabBezpecRezim = kFlagGrey;
    r.tabOdpovidatT0 = kFlagGrey;
    r.tabPrepnoutNepovolPristup = kFlagGrey;
    r.opNotAuthorized = kFlagGrey;
    r.rtNotAuthorized = "old text";
    r.tabPrepnoutJTS = kFlagGrey;
    r.tabPrepnoutJTSCislo = "x";
    r.opExist = kFlagGrey;
    r.rtReCall = "old recall";
    r.eeExistTime = "old";
    r.tabKOMUNIKFormat = kFormatPulse;
    r.tabKOMUNIKParita = kParityEven;
    r.tabKOMUNIKFrekvence = kFrequency2300;
    r.tabKOMUNIKPocetTestu = "old";
    r.tabKOMUNIKPocetBloku = "old";
    r.tabRFRWait = "old";
    r.tabWaitFree = "old";
    for (std::size_t i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i);
        r.tabTC[i] = "+99" + n;
        r.tabINPNazev[i] = "in" + n;
        r.tabINPZap[i] = "on" + n;
        r.tabINPVyp[i] = "off" + n;
        r.tabINPLH[i] = "rise" + n;
        r.tabINPHL[i] = "fall" + n;
        r.tabOUTNazev[i] = "out" + n;
        r.tabOUTZap[i] = "oon" + n;
        r.tabOUTVyp[i] = "ooff" + n;
        r.tabOUTimpuls[i] = "imp" + n;
        r.tabOUTimpulsLEN[i] = "old";
        for (Rows<Flag>* m :
             {&r.tabTCPrijem, &r.tabTCPoplach, &r.tabTCUdalost, &r.tabINPLHEvent, &r.tabINPHLEvent,
              &r.tabINPNeg, &r.tabINPZpr, &r.tabOUTNeg, &r.tabOUTZpr})
            (*m)[i] = kFlagGrey;
    }
    return r;
}

ReadResult read(const EepromImage& image, SettingsRecord& record,
                const std::vector<std::string>& items = {}) {
    return ReadImage(image, record, items);
}

} // namespace

TEST(ImageReader, InitialValuesComeBackExceptTheUnauthorisedFlag) {
    const SettingsRecord initial;
    const EepromImage image = imageOf(initial);
    SettingsRecord back = scribbled();
    back.tabKOMUNIKFormat = kFormatSia; // a stored code always selects its item,
    const ReadResult res = read(image, back);
    ASSERT_TRUE(res.ok) << res.detail;
    SettingsRecord expected = initial;
    expected.opNotAuthorized = kFlagOff;
    EXPECT_EQ(back, expected);
}

TEST(ImageReader, FixedBlockValues) {
    struct Case {
        const char* name;
        long address;
        std::vector<int> bytes;
        std::function<void(const SettingsRecord&)> check;
    };
    const Case cases[] = {
        {"JTS off",
         40,
         {15},
         [](const auto& r) {
             EXPECT_EQ(r.tabPrepnoutJTS, kFlagOff);
             EXPECT_EQ(r.tabPrepnoutJTSCislo, "0");
         }},
        {"JTS on with 9",
         40,
         {9},
         [](const auto& r) {
             EXPECT_EQ(r.tabPrepnoutJTS, kFlagOn);
             EXPECT_EQ(r.tabPrepnoutJTSCislo, "9");
         }},
        {"parity code 0 keeps the selection",
         41,
         {0x00},
         [](const auto& r) {
             EXPECT_EQ(r.tabKOMUNIKParita, kParityEven); // as before the read
             EXPECT_EQ(r.tabKOMUNIKFormat, kFormatSia);
         }},
        {"pulse with parity",
         41,
         {0x12},
         [](const auto& r) {
             EXPECT_EQ(r.tabKOMUNIKParita, kParityEven);
             EXPECT_EQ(r.tabKOMUNIKFormat, kFormatPulse);
         }},
        {"unknown codes keep both",
         41,
         {0x33},
         [](const auto& r) {
             EXPECT_EQ(r.tabKOMUNIKParita, kParityEven);
             EXPECT_EQ(r.tabKOMUNIKFormat, kFormatPulse);
         }},
        {"SIA without parity",
         41,
         {0x01},
         [](const auto& r) {
             EXPECT_EQ(r.tabKOMUNIKParita, kParityNone);
             EXPECT_EQ(r.tabKOMUNIKFormat, kFormatSia);
         }},
        {"2300 Hz and 10 tests",
         42,
         {0xA1},
         [](const auto& r) {
             EXPECT_EQ(r.tabKOMUNIKFrekvence, kFrequency2300);
             EXPECT_EQ(r.tabKOMUNIKPocetTestu, "10");
         }},
        {"unknown frequency keeps it",
         42,
         {0x17},
         [](const auto& r) {
             EXPECT_EQ(r.tabKOMUNIKFrekvence, kFrequency2300);
             EXPECT_EQ(r.tabKOMUNIKPocetTestu, "1");
         }},
        {"RFR 255", 45, {255}, [](const auto& r) { EXPECT_EQ(r.tabRFRWait, "768"); }},
        {"RFR 0", 45, {0}, [](const auto& r) { EXPECT_EQ(r.tabRFRWait, "3"); }},
        {"validity 166", 33, {166}, [](const auto& r) { EXPECT_EQ(r.tabDobaPlatnostiSMS, "0"); }},
        {"validity below 166",
         33,
         {150},
         [](const auto& r) { EXPECT_EQ(r.tabDobaPlatnostiSMS, "-16"); }},
        {"existence C4 C9 01 00",
         59,
         {0xC4, 0xC9, 0x01, 0x00},
         [](const auto& r) { EXPECT_EQ(r.eeExistTime, "5"); }},
        {"existence rounds down",
         59,
         {0xE2, 0xE4, 0, 0},
         [](const auto& r) { EXPECT_EQ(r.eeExistTime, "2"); }},
        {"existence largest",
         59,
         {0xFF, 0xFF, 0xFF, 0x7F},
         [](const auto& r) { EXPECT_EQ(r.eeExistTime, "91625"); }},
        {"general flags",
         32,
         {0xFF},
         [](const auto& r) {
             for (Flag f : {r.tabPrepnoutNepovolPristup, r.tabBezpecRezim, r.opExist,
                            r.tabOdpovidatT0, r.opNotAuthorized})
                 EXPECT_EQ(f, kFlagOn);
         }},
        {"general flags ignore bits 1, 3, 7",
         32,
         {0x8A},
         [](const auto& r) {
             for (Flag f : {r.tabPrepnoutNepovolPristup, r.tabBezpecRezim, r.opExist,
                            r.tabOdpovidatT0, r.opNotAuthorized})
                 EXPECT_EQ(f, kFlagOff);
         }},
        {"masks",
         34,
         {0x81, 0x02, 0x04, 0x08, 0x10},
         [](const auto& r) {
             EXPECT_EQ(r.tabTCPrijem, (Rows<Flag>{1, 0, 0, 0, 0, 0, 0, 1}));
             EXPECT_EQ(r.tabTCPoplach, (Rows<Flag>{0, 1, 0, 0, 0, 0, 0, 0}));
             EXPECT_EQ(r.tabTCUdalost, (Rows<Flag>{0, 0, 1, 0, 0, 0, 0, 0}));
             EXPECT_EQ(r.tabINPZpr, (Rows<Flag>{0, 0, 0, 1, 0, 0, 0, 0}));
             EXPECT_EQ(r.tabOUTZpr, (Rows<Flag>{0, 0, 0, 0, 1, 0, 0, 0}));
         }},
        {"outputs' negation mask comes first",
         47,
         {0x01, 0x02, 0x04, 0x08},
         [](const auto& r) {
             EXPECT_EQ(r.tabINPLHEvent, (Rows<Flag>{1, 0, 0, 0, 0, 0, 0, 0}));
             EXPECT_EQ(r.tabINPHLEvent, (Rows<Flag>{0, 1, 0, 0, 0, 0, 0, 0}));
             EXPECT_EQ(r.tabOUTNeg, (Rows<Flag>{0, 0, 1, 0, 0, 0, 0, 0}));
             EXPECT_EQ(r.tabINPNeg, (Rows<Flag>{0, 0, 0, 1, 0, 0, 0, 0}));
         }},
        {"impulse lengths",
         51,
         {0, 255, 7},
         [](const auto& r) {
             EXPECT_EQ(r.tabOUTimpulsLEN[0], "0");
             EXPECT_EQ(r.tabOUTimpulsLEN[1], "255");
             EXPECT_EQ(r.tabOUTimpulsLEN[2], "7");
         }},
        {"blocks and wait",
         39,
         {200},
         [](const auto& r) { EXPECT_EQ(r.tabKOMUNIKPocetBloku, "200"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EepromImage image = imageOf(SettingsRecord{});
        for (std::size_t k = 0; k < c.bytes.size(); ++k)
            image.SetImageByte(c.bytes[k], c.address + static_cast<long>(k));
        SettingsRecord r = scribbled();
        const ReadResult res = read(image, r);
        ASSERT_TRUE(res.ok) << res.detail;
        c.check(r);
    }
}

TEST(ImageReader, TopBitOfTheExistencePeriodStopsWithFieldsFilledSoFar) {
    EepromImage image = imageOf(SettingsRecord{});
    image.SetImageByte(0x00, 61);
    image.SetImageByte(0x80, 62);
    SettingsRecord r = scribbled();
    const ReadResult res = read(image, r);
    EXPECT_FALSE(res.ok);
    EXPECT_EQ(res.messageKey, "msg034");
    // Filled before the stop:
    EXPECT_EQ(r.tabRFRWait, "3");
    EXPECT_EQ(r.tabOUTimpulsLEN[7], "1");
    EXPECT_EQ(r.tabBezpecRezim, kFlagOn);
    // Not reached:
    EXPECT_EQ(r.eeExistTime, "old");
    EXPECT_EQ(r.tabINPNazev[0], "in0");
    EXPECT_EQ(r.tabTC[7], "+997");
}

TEST(ImageReader, StringsReplaceThePreviousTextsExactly) {
    SettingsRecord longer;
    SettingsRecord shorter;
    for (std::size_t i = 0; i < 8; ++i) {
        longer.tabINPNazev[i] = std::string(100, static_cast<char>('a' + i));
        longer.tabOUTimpuls[i] = std::string(50, 'x');
        shorter.tabINPNazev[i] = i % 2 ? "" : std::string(1, static_cast<char>('A' + i));
    }
    longer.tabJmenoStanice = u8"Stanice č. 1 Příliš";
    longer.rtNotAuthorized = "denied";
    shorter.rtReCall = "alive";

    EepromImage image;
    const WriteResult longerImage = WriteImage(longer, image);
    ASSERT_TRUE(longerImage.ok);
    SettingsRecord r = scribbled();
    r.tabKOMUNIKFormat = kFormatSia;
    r.tabKOMUNIKParita = kParityNone;
    r.tabKOMUNIKFrekvence = kFrequency1400;
    ReadResult res = read(image, r);
    ASSERT_TRUE(res.ok);
    EXPECT_EQ(r, longer);
    EXPECT_EQ(res.length, longerImage.length);

    // The shorter image goes into the same buffer; the longer one's bytes
    // are still there after it, but no field may pick them up nor count
    // towards its length.
    const WriteResult shorterImage = WriteImage(shorter, image);
    ASSERT_TRUE(shorterImage.ok);
    res = read(image, r);
    ASSERT_TRUE(res.ok);
    EXPECT_EQ(res.length, shorterImage.length);
    SettingsRecord expected = shorter;
    expected.opNotAuthorized = kFlagOff;
    EXPECT_EQ(r, expected);
}

TEST(ImageReader, SmsCentreSelectsTheMatchingListItem) {
    SettingsRecord written;
    written.tabTCcentra = "Operator B <222>";
    const EepromImage image = imageOf(written);

    SettingsRecord r;
    ASSERT_TRUE(read(image, r, {"A <111>", "Operator B <222>"}).ok);
    EXPECT_EQ(r.tabTCcentra, "Operator B <222>");
    ASSERT_TRUE(read(image, r, {"A <111>"}).ok);
    EXPECT_EQ(r.tabTCcentra, "222");
    ASSERT_TRUE(read(image, r).ok);
    EXPECT_EQ(r.tabTCcentra, "222");
}

// Lays out the telephone block by hand after an otherwise empty image.
class TelephoneBlock : public ::testing::Test {
protected:
    ReadResult readBlock(const std::string& bytes) {
        image = imageOf(SettingsRecord{});
        const long start = *image.GetImageWord(20);
        rq7::test::putBytes(image, start, bytes);
        record = scribbled();
        return read(image, record);
    }
    EepromImage image;
    SettingsRecord record;
};

TEST_F(TelephoneBlock, Entries) {
    struct Case {
        const char* name;
        std::string bytes;
        Rows<std::string> numbers;
    };
    const std::string z(1, '\0');
    const Case cases[] = {
        {"international, national, empty",
         "0C91241032547698" + z + "098121436587F9" + z + z + z + z + z + z + z,
         {"+420123456789", "123456789", "", "", "", "", "", ""}},
        {"plus alone written by older tools does not shift the rest",
         "0091" + z + "0191F1" + z + "0091" + z + z + z + z + z + "0291F1" + z,
         {"+", "+1", "+", "", "", "", "", "+1"}},
        {"plus alone as the last entry",
         z + z + z + z + z + z + z + "0091" + z,
         {"", "", "", "", "", "", "", "+"}},
        {"zero length with any terminator is one entry",
         "00X" + std::string("0191F1") + z + "00" + z + z + z + z + z + z,
         {"", "+1", "", "", "", "", "", ""}},
        {"zero length whose terminator is followed by an empty entry",
         "00" + std::string("9") + z + "0191F1" + z + z + z + z + z + z,
         {"", "", "+1", "", "", "", "", ""}},
        {"terminator is not examined",
         "0191F1X" + std::string("0181F1") + "Y" + z + z + z + z + z + z,
         {"+1", "1", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        const ReadResult res = readBlock(c.bytes);
        ASSERT_TRUE(res.ok) << "case: " << c.name << ": " << res.detail;
        EXPECT_EQ(record.tabTC, c.numbers) << "case: " << c.name;
    }
}

TEST_F(TelephoneBlock, BadLengthFieldStops) {
    const std::string z(1, '\0');
    for (const std::string& bytes : {"0G91" + z, "G" + z, "1" + z}) {
        const ReadResult res = readBlock(bytes);
        EXPECT_FALSE(res.ok) << "case: " << bytes;
        EXPECT_EQ(res.messageKey, "msg034") << "case: " << bytes;
        EXPECT_EQ(record.tabINPNazev[0], "") << "strings were read before: " << bytes;
        EXPECT_EQ(record.tabTC[0], "+990") << "case: " << bytes;
    }
}

TEST(ImageReader, EntriesRunningPastTheEndStop) {
    struct Case {
        const char* name;
        long headerWord;
        long start;
        std::string bytes;
    };
    const Case cases[] = {
        {"string without terminator", 0, 65530, "abcdef"},
        {"station string without terminator", 18, 65535, "a"},
        {"telephone digits past the end", 20, 65530, "0C9124"},
        {"telephone terminator past the end", 20, 65530, "0191F1"},
        {"zero length terminator past the end", 20, 65534, "00"},
    };
    for (const Case& c : cases) {
        EepromImage image = imageOf(SettingsRecord{});
        image.SetImageWord(c.start, c.headerWord);
        image.SetImageByte(image.HeaderChecksum(), 26);
        rq7::test::putBytes(image, c.start, c.bytes);
        SettingsRecord r;
        const ReadResult res = read(image, r);
        EXPECT_FALSE(res.ok) << "case: " << c.name;
        EXPECT_EQ(res.messageKey, "msg034") << "case: " << c.name;
    }
}

TEST(ImageReader, LastTelephoneEntryMayEndAtTheLastAddress) {
    EepromImage image = imageOf(SettingsRecord{});
    image.SetImageWord(65535 - 7 - 6, 20);
    const std::string z(1, '\0');
    rq7::test::putBytes(image, 65535 - 13, z + z + z + z + z + z + z + "0191F1" + z);
    SettingsRecord r;
    const ReadResult res = read(image, r);
    ASSERT_TRUE(res.ok) << res.detail;
    EXPECT_EQ(r.tabTC[7], "+1");
    EXPECT_EQ(res.length, EepromImage::kSize);
}
