#include "settings/SettingsText.h"

#include "settings/SettingsFields.h"

#include <gtest/gtest.h>

using namespace rq7;

TEST(SettingsText, ParsesValuesExactly) {
    SettingsRecord r;
    const std::string text = "\xEF\xBB\xBF# comment\n"
                             "\n"
                             "tabPIN= 12=34 \r\n"
                             "   \t\n"
                             "tabJmenoStanice=P\xC5\x99\xC3\xADli\xC5\xA1\n"
                             "tabTC(2)=+420123456789\n"
                             "tabTCPrijem(2)=1\n"
                             "opExist=2\n"
                             "tabKOMUNIKFormat=Pulzn\xC3\xAD\n"
                             "rtReCall=";
    const SettingsTextResult res = ParseSettingsText(text, r);
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_EQ(r.tabPIN, " 12=34 ");
    EXPECT_EQ(r.tabJmenoStanice, u8"Příliš");
    EXPECT_EQ(r.tabTC[2], "+420123456789");
    EXPECT_EQ(r.tabTCPrijem[2], 1);
    EXPECT_EQ(r.opExist, 2);
    EXPECT_EQ(r.tabKOMUNIKFormat, kFormatPulse);
    EXPECT_EQ(r.rtReCall, "");
    EXPECT_EQ(r.tabDobaPlatnostiSMS, "3"); // not named: keeps its value
    ASSERT_EQ(res.assigned.size(), 7u);
    EXPECT_EQ(res.assigned[0].field, "tabPIN");
    EXPECT_EQ(res.assigned[0].line, 3);
    EXPECT_EQ(res.assigned[6].field, "rtReCall");
    EXPECT_EQ(res.assigned[6].line, 10);
}

TEST(SettingsText, ErrorsNameTheLine) {
    struct Case {
        const char* name;
        std::string text;
        int line;
        const char* mention;
    };
    const Case cases[] = {
        {"no equals sign", "tabPIN=1\ntabPIN\n", 2, "'='"},
        {"unknown field", "#x\n\ntabFoo=1\n", 3, "tabFoo"},
        {"name with blank", "tabPIN =1\n", 1, "tabPIN "},
        {"bad flag", "opExist=yes\n", 1, "opExist"},
        {"bad choice", "tabPIN=1\ntabKOMUNIKParita=Odd\n", 2, "tabKOMUNIKParita"},
        {"row out of range", "tabTC(8)=1\n", 1, "tabTC(8)"},
        {"malformed utf-8", "tabPIN=\xC3\n", 1, "UTF-8"},
    };
    for (const Case& c : cases) {
        SettingsRecord r;
        const SettingsTextResult res = ParseSettingsText(c.text, r);
        EXPECT_FALSE(res.ok) << "case: " << c.name;
        EXPECT_EQ(res.errorLine, c.line) << "case: " << c.name;
        EXPECT_NE(res.error.find("line " + std::to_string(c.line)), std::string::npos)
            << "case: " << c.name << ": " << res.error;
        EXPECT_NE(res.error.find(c.mention), std::string::npos)
            << "case: " << c.name << ": " << res.error;
    }
}

TEST(SettingsText, FormatThenParseGivesTheRecordBack) {
    SettingsRecord r;
    r.tabPIN = " 1=2 ";
    r.tabTCcentra = "Operator <+420602909909>";
    r.tabKOMUNIKParita = kParityEven;
    r.tabINPNeg[4] = kFlagGrey;
    r.tabOUTNazev[7] = u8"Světlo";
    const std::string text = FormatSettingsText(r);
    EXPECT_EQ(text.substr(0, text.find('\n')), "tabJmenoStanice=");
    EXPECT_NE(text.find("\ntabINPNeg(4)=2\n"), std::string::npos);
    EXPECT_NE(text.find("\ntabKOMUNIKParita=S paritou\n"), std::string::npos);

    SettingsRecord back;
    back.tabDobaPlatnostiSMS = "99";
    const SettingsTextResult res = ParseSettingsText(text, back);
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_EQ(res.assigned.size(), settingsFields().size());
    EXPECT_EQ(back, r);
}

TEST(SettingsText, LineBreakInAValueIsFound) {
    SettingsRecord r;
    EXPECT_EQ(FieldWithLineBreak(r), "");
    r.tabINPLH[1] = "a\rb";
    EXPECT_EQ(FieldWithLineBreak(r), "tabINPLH(1)");
}
