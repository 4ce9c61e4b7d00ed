#include "settings/SettingsSize.h"

#include "settings/ImageWriter.h"

#include <functional>
#include <gtest/gtest.h>

using namespace rq7;

TEST(SettingsSize, CountsWhatTheWriterWrites) {
    struct Case {
        const char* name;
        std::function<void(SettingsRecord&)> change;
        int size;
    };
    const Case cases[] = {
        {"everything empty", [](auto&) {}, 150},
        {"international number", [](auto& r) { r.tabTC[0] = "+420123456789"; }, 150 + 16},
        {"plus alone counts as empty", [](auto& r) { r.tabTC[5] = "+"; }, 150},
        {"odd national number", [](auto& r) { r.tabTC[7] = "123"; }, 150 + 8},
        {"SMS centre counts its number only",
         [](auto& r) { r.tabTCcentra = "Operator <+420602909909>"; }, 150 + 13},
        {"Czech letters are one byte each", [](auto& r) { r.tabINPNazev[3] = u8"žluťoučký"; },
         150 + 9},
        {"unmappable character is one byte", [](auto& r) { r.rtReCall = u8"a日"; }, 150 + 2},
        {"numbers and flags do not count",
         [](auto& r) {
             r.tabRFRWait = "768";
             r.tabOUTimpulsLEN[0] = "255";
             r.tabTCPrijem[0] = 1;
         },
         150},
        {"every text block",
         [](auto& r) {
             r.tabJmenoStanice = "a";
             r.tabPIN = "b";
             r.rtReCall = "c";
             r.rtNotAuthorized = "d";
             r.tabOUTNazev[1] = "e";
             r.tabINPZap[2] = "f";
             r.tabINPVyp[3] = "g";
             r.tabOUTZap[4] = "h";
             r.tabOUTVyp[5] = "i";
             r.tabOUTimpuls[6] = "j";
             r.tabINPLH[7] = "k";
             r.tabINPHL[0] = "l";
         },
         150 + 12},
    };
    for (const Case& c : cases) {
        SettingsRecord r;
        c.change(r);
        EXPECT_EQ(SettingsSize(r), c.size) << "case: " << c.name;
        EepromImage image;
        const WriteResult res = WriteImage(r, image);
        ASSERT_TRUE(res.ok) << "case: " << c.name;
        EXPECT_EQ(res.length + 1, c.size) << "case: " << c.name;
    }
}

TEST(SettingsSize, LabelTexts) {
    struct Case {
        int size;
        const char* eepromLabel;
        const char* usage;
        const char* free;
        Rgb colour;
    };
    const Case cases[] = {
        {1030, "  1024 byte", "1030 byte", "-6 byte", kLabelRed},
        {1024, "  1024 byte", "1024 byte", "0 byte", kLabelBlue},
        {150, "  8192 byte", "150 byte", "8042 byte", kLabelBlue},
        {150, "?", "150 byte", "?", kLabelBlue},
        {150, "", "150 byte", "-150 byte", kLabelRed},
    };
    for (const Case& c : cases) {
        const MemoryUsageLabels labels = MemoryUsageTexts(c.size, c.eepromLabel);
        EXPECT_EQ(labels.usage, c.usage) << "case: " << c.size << " in '" << c.eepromLabel << "'";
        EXPECT_EQ(labels.free, c.free) << "case: " << c.size << " in '" << c.eepromLabel << "'";
        EXPECT_EQ(labels.freeColour, c.colour)
            << "case: " << c.size << " in '" << c.eepromLabel << "'";
    }
    EXPECT_EQ(LabelNumber("150 byte"), 150);
    EXPECT_EQ(LabelNumber("  1024 byte"), 1024);
    EXPECT_EQ(LabelNumber("-6 byte"), -6);
    EXPECT_EQ(LabelNumber("?"), 0);
}
