#include "ui/main/rules/CharSets.h"
#include "ui/main/rules/TextRules.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace rq7::rules;

namespace {

std::set<char> asSet(std::string_view s) {
    return std::set<char>(s.begin(), s.end());
}

std::string codes(std::initializer_list<int> list) {
    std::string out;
    for (int c : list)
        out += static_cast<char>(c);
    return out;
}

std::string range(char first, char last) {
    std::string out;
    for (char c = first; c <= last; ++c)
        out += c;
    return out;
}

} // namespace

TEST(CharSets, SizesAndNoRepeats) {
    const struct {
        const char* name;
        std::string_view set;
        std::size_t size;
    } cases[] = {{"TextChars", TextChars, 90},
                 {"IdentChars", IdentChars, 63},
                 {"PrintableChars", PrintableChars, 95},
                 {"PhoneChars", PhoneChars, 11},
                 {"DigitChars", DigitChars, 10}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.set.size(), c.size) << "case: " << c.name;
        EXPECT_EQ(asSet(c.set).size(), c.set.size()) << "repeated character in " << c.name;
    }
}

TEST(CharSets, StoredOrderAsShownInMessages) {
    // The messages append the sets as stored, so every character's place is
    // part of the text; each set is built here from its character codes.
    const std::string alphanumeric = range('0', '9') + range('a', 'z') + range('A', 'Z');
    const struct {
        const char* name;
        std::string_view set;
        std::string expected;
    } cases[] = {
        {"TextChars", TextChars,
         codes({0x20, 0x60, 0x21, 0x22, 0x40, 0x23, 0x24, 0x25, 0x5E, 0x26,
                0x2A, 0x28, 0x29, 0x2D, 0x5F, 0x3D, 0x2B, 0x5C, 0x7C, 0x3B,
                0x3A, 0x27, 0x2C, 0x3C, 0x2E, 0x3E, 0x2F, 0x3F}) +
             alphanumeric},
        {"IdentChars", IdentChars, "_" + alphanumeric},
        {"PrintableChars", PrintableChars,
         range(0x20, 0x5A) + codes({0x5B, 0x5D, 0x5C, 0x5E, 0x5F, 0x60}) + range(0x61, 0x7A) +
             codes({0x7B, 0x7D, 0x7C, 0x7E})},
        {"PhoneChars", PhoneChars, "+" + range('0', '9')},
        {"DigitChars", DigitChars, range('0', '9')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.set), c.expected) << "case: " << c.name;
}

TEST(CharSets, TextCharsArePrintableWithoutBracketsAndTilde) {
    std::set<char> printable = asSet(PrintableChars);
    for (int c = 0x20; c <= 0x7E; ++c)
        EXPECT_EQ(printable.count(static_cast<char>(c)), 1u) << "missing code " << c;
    for (char c : std::string("[]{}~"))
        printable.erase(c);
    EXPECT_EQ(printable, asSet(TextChars));
    EXPECT_EQ(CommandKeywords, "STATE;STAV;BACK;NOBACK;RESET;SHUTDOWN;NAME;ZPET;NEZPET;JMENO");
}

TEST(AllCharsAllowed, Cases) {
    const struct {
        const char* text;
        std::string_view set;
        bool allowed;
    } cases[] = {
        {"", DigitChars, true},
        {"1234", DigitChars, true},
        {"12a4", DigitChars, false},
        {"+420 123", PhoneChars, false},
        {"+420123", PhoneChars, true},
        {"Rele_1", IdentChars, true},
        {"Rele 1", IdentChars, false},
        {"Rele-1", IdentChars, false},
        {"Rele 1", TextChars, true},
        {"a[b", TextChars, false},
        {"a[b", PrintableChars, true},
        {"~", PrintableChars, true},
        {"\xc4\x8d", TextChars, false}, // č: letters with diacritics are not ASCII
        {"\xc4\x8d",
         "\xc4\x8d"
         "a",
         true},                          // a character, not its bytes, is looked up
        {"\xc4", PrintableChars, false}, // malformed UTF-8
        {"A", "a", false},               // case matters
    };
    for (const auto& c : cases)
        EXPECT_EQ(AllCharsAllowed(c.text, c.set), c.allowed) << "case: " << c.text;
}

TEST(NotKeywordPrefix, CommandKeywords) {
    const struct {
        const char* word;
        bool free;
    } cases[] = {
        {"", true},       {"st", false},   {"STA", false},   {"state", false},   {"STATE", false},
        {"STATES", true}, {"Stav", false}, {"NO", false},    {"NOBACKX", true},  {"ZPETX", true},
        {"E", true},      {"RES", false},  {"RESETX", true}, {"back", false},    {"j", false},
        {"N", false},     {"Alarm", true}, {"BACKUP", true}, {"shutdow", false}, {"NEZPE", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NotKeywordPrefix(c.word, CommandKeywords), c.free) << "case: " << c.word;
}

TEST(NotKeywordPrefix, ListShapes) {
    const struct {
        const char* word;
        const char* list;
        bool free;
    } cases[] = {
        {"a", "", true},    // no entries
        {"a", ";;", true},  // empty entries take nothing
        {"b", "ab;", true}, // inside an entry, not at its start
        {"a", "b;;AB;", false},
        {"abc", "ab;", true}, // an entry shorter than the word never takes it
        {"x", "y;x", false},  // the last entry has no ';'
        {"\xc5\xa0"
         "ARKA",
         "\xc5\xa1"
         "arka;",
         false}, // Š/š: case ignored beyond ASCII
    };
    for (const auto& c : cases)
        EXPECT_EQ(NotKeywordPrefix(c.word, c.list), c.free)
            << "case: " << c.word << " in " << c.list;
}

TEST(LowerCase, AsciiAndCodePageLetters) {
    EXPECT_EQ(LowerCase("On OFF_1"), "on off_1");
    EXPECT_EQ(LowerCase("\xc4\x8c\x45\xc5\x98\xc3\x8d"), "\xc4\x8d"
                                                         "e"
                                                         "\xc5\x99\xc3\xad");     // ČEŘÍ
    EXPECT_EQ(LowerCase("\xc5\xbd\xc5\xb9\xc5\x81"), "\xc5\xbe\xc5\xba\xc5\x82"); // ŽŹŁ
}
