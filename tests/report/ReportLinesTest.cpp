#include "report/ReportLines.h"

#include "tests/report/ReportSamples.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rq7::report {
namespace {

using testing::emptySettings;
using testing::sampleSettings;

const std::string kRule(165, '=');

void expectLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                 const std::string& name) {
    ASSERT_EQ(expected.size(), actual.size()) << "case: " << name;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], actual[i]) << "case: " << name << ", line " << i;
}

TEST(ReportLines, AllEmptySettingsGiveLabelsSeparatorsAndZeros) {
    const std::vector<std::string> expected = {
        "",
        "VŠEOBECNÉ",
        kRule,
        "Jméno stanice: ",
        "PIN: ",
        "Tel.č. SMS centra: ",
        "Doba platnosti SMS zprávy: ",
        "Používat bezpečný režim: 0",
        "V nebezpečném režimu odpovídat i na T0: 0",
        "Hlášení o nepovoleném přístupu posílat i na telefonní číslo T0: 0",
        "Posílat hlášení, že není povolen přístup: 0",
        "Text hlášení o nepovolení přístupu: ",
        "",
        "TELEFONNÍ ČÍSLA - (Tel.číslo, Příjem, Odesílat události)",
        kRule,
        "T0; ; 0; 0; ",
        "T1; ; 0; 0; ",
        "T2; ; 0; 0; ",
        "T3; ; 0; 0; ",
        "T4; ; 0; 0; ",
        "T5; ; 0; 0; ",
        "T6; ; 0; 0; ",
        "T7; ; 0; 0; ",
        "",
        "VSTUPY: (Vstup, Název, Zapnuto, Vypnuto, Přechod N->A, Přechod A->N, Negace, N->A, "
        "A->N, Uvádět ve zprávě)",
        kRule,
        "I0; ; ; ; 0; 0; 0; ; ; 0; ",
        "I1; ; ; ; 0; 0; 0; ; ; 0; ",
        "I2; ; ; ; 0; 0; 0; ; ; 0; ",
        "I3; ; ; ; 0; 0; 0; ; ; 0; ",
        "I4; ; ; ; 0; 0; 0; ; ; 0; ",
        "I5; ; ; ; 0; 0; 0; ; ; 0; ",
        "I6; ; ; ; 0; 0; 0; ; ; 0; ",
        "I7; ; ; ; 0; 0; 0; ; ; 0; ",
        "",
        "VÝSTUPY: (Výstup, Název, Zapnuto, Vypnuto, Negace, Impuls, Délka impulsu * 0,1 sekund, "
        "Uvádět ve zprávě)",
        kRule,
        "O0; ; ; ; 0; ; ; 0; ",
        "O1; ; ; ; 0; ; ; 0; ",
        "O2; ; ; ; 0; ; ; 0; ",
        "O3; ; ; ; 0; ; ; 0; ",
        "O4; ; ; ; 0; ; ; 0; ",
        "O5; ; ; ; 0; ; ; 0; ",
        "O6; ; ; ; 0; ; ; 0; ",
        "O7; ; ; ; 0; ; ; 0; ",
    };
    ASSERT_EQ(expected.size(), 45u);
    expectLines(expected, reportLines(emptySettings()), "all empty");
}

TEST(ReportLines, FieldsLandInTheirPlaces) {
    const std::vector<std::string> lines = reportLines(sampleSettings());
    ASSERT_EQ(lines.size(), 45u);
    struct Case {
        const char* name;
        std::size_t index;
        std::string expected;
    };
    const Case cases[] = {
        {"station name", 3, "Jméno stanice: Ústředna Brno"},
        {"PIN", 4, "PIN: 1234"},
        {"SMS centre keeps the whole list text", 5, "Tel.č. SMS centra: Operátor <+420603052000>"},
        {"SMS validity", 6, "Doba platnosti SMS zprávy: 3"},
        {"secure mode", 7, "Používat bezpečný režim: 1"},
        {"answer T0", 8, "V nebezpečném režimu odpovídat i na T0: 0"},
        {"unauthorised to T0", 9,
         "Hlášení o nepovoleném přístupu posílat i na telefonní číslo T0: 1"},
        {"not-authorised report", 10, "Posílat hlášení, že není povolen přístup: 0"},
        {"not-authorised text", 11, "Text hlášení o nepovolení přístupu: Přístup odepřen"},
        {"T0: receive set, alarm flag left out", 15, "T0; +420123456789; 1; 0; "},
        {"T7: event flag", 22, "T7; 777888999; 0; 1; "},
        {"I3 empty", 29, "I3; ; ; ; 0; 0; 0; ; ; 0; "},
        {"I5 all fields in order", 31, "I5; N5; Z5; V5; 1; 0; 1; LH5; HL5; 0; "},
        {"I6 falling event and report flag", 32, "I6; ; ; ; 0; 1; 0; ; ; 1; "},
        {"O2 all fields in order", 39, "O2; ON2; OZ2; OV2; 1; PULS2; 25; 1; "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, lines.at(c.index)) << "case: " << c.name;
}

TEST(ReportLines, TextsArePrintedExactlyAsTheyStand) {
    struct Case {
        const char* name;
        std::string inputName;
        std::string risingText;
        std::string expected;
    };
    const std::string longText(100, 'x');
    const Case cases[] = {
        {"separator inside a name is not marked", "A; B", "", "I0; A; B; ; ; 0; 0; 0; ; ; 0; "},
        {"100-character text in one piece", "", longText,
         "I0; ; ; ; 0; 0; 0; " + longText + "; ; 0; "},
        {"leading and trailing blanks kept", " in ", "", "I0;  in ; ; ; 0; 0; 0; ; ; 0; "},
    };
    for (const Case& c : cases) {
        SettingsRecord s = emptySettings();
        s.tabINPNazev[0] = c.inputName;
        s.tabINPLH[0] = c.risingText;
        EXPECT_EQ(c.expected, reportLines(s).at(26)) << "case: " << c.name;
    }
}

TEST(ReportLines, FlagsPrintTheirNumericValue) {
    // A box in the grey third state shows its value 2, as the window holds it.
    SettingsRecord s = emptySettings();
    s.tabOdpovidatT0 = kFlagGrey;
    s.tabTCUdalost[1] = kFlagGrey;
    const std::vector<std::string> lines = reportLines(s);
    EXPECT_EQ("V nebezpečném režimu odpovídat i na T0: 2", lines.at(8));
    EXPECT_EQ("T1; ; 0; 2; ", lines.at(16));
}

TEST(ReportLines, InitialSettingsShowTheirDefaults) {
    const std::vector<std::string> lines = reportLines(SettingsRecord{});
    EXPECT_EQ("Doba platnosti SMS zprávy: 3", lines.at(6));
    EXPECT_EQ("Používat bezpečný režim: 1", lines.at(7));
    EXPECT_EQ("Posílat hlášení, že není povolen přístup: 1", lines.at(10));
    for (int i = 0; i < kRowCount; ++i)
        EXPECT_EQ("O" + std::to_string(i) + "; ; ; ; 0; ; 1; 0; ", lines.at(37 + i))
            << "case: output row " << i;
}

} // namespace
} // namespace rq7::report
