// The text catalogue and the Texts lookup that windows and messages use.

#include "ui/language/catalogue/Catalogue.h"

#include "languages/clsLanguage.h"
#include "tests/support/TempDir.h"
#include "ui/language/catalogue/Texts.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace rq7 {
namespace {

TEST(Catalogue, KeysAreUniqueAndIncludeTheIrregularOnes) {
    std::set<std::string> seen;
    for (const CatalogueEntry& entry : catalogue())
        EXPECT_TRUE(seen.insert(std::string(entry.key)).second) << "duplicate key " << entry.key;
    EXPECT_EQ(catalogueKeys().size(), catalogue().size());
    // Keys that break the msgNNN and control-name patterns.
    for (const char* key : {"msg028b", "msg50", "lblTC", "lblDinp", "lblDOut", "strActivated",
                            "strDeactivated", "strActError", "valUTO", "lblAboutForm",
                            "lbljmenostanice", "lblVersion", "lblVersion2"}) {
        EXPECT_TRUE(inCatalogue(key)) << "key: " << key;
    }
    EXPECT_FALSE(inCatalogue("msg050"));
    EXPECT_FALSE(inCatalogue(std::string(kLanguageNameKey)));
}

// A text must survive being written into a language file and read back.
TEST(Catalogue, CzechDefaultsAreFreeOfKnownMisspellings) {
    // Misspellings once shipped; the shipped Czech file follows the defaults.
    const char* const wrong[] = {
        "Na\u010dt\u00edt\u00e1n\u00ed", // Načítání with a doubled syllable
        "Na\u010dist ",                  // Načíst without its long í
        "\u010d\u00edslo mus\u00ed",     // the comma before the main clause
    };
    for (const CatalogueEntry& entry : catalogue())
        for (const char* text : wrong)
            EXPECT_EQ(entry.czechDefault.find(text), std::string_view::npos)
                << entry.key << ": " << entry.czechDefault;
}

TEST(Catalogue, EveryDefaultCanBeWrittenToALanguageFile) {
    for (const CatalogueEntry& entry : catalogue()) {
        const std::string text(entry.czechDefault);
        EXPECT_FALSE(text.empty()) << "key: " << entry.key;
        EXPECT_EQ(text.find('\''), std::string::npos) << "apostrophe in key: " << entry.key;
        EXPECT_EQ(text.find(';'), std::string::npos) << "semicolon in key: " << entry.key;
        for (std::size_t comma = text.find(','); comma != std::string::npos;
             comma = text.find(',', comma + 1)) {
            EXPECT_EQ(text.compare(comma, 2, ", "), 0) << "comma in key: " << entry.key;
            EXPECT_NE(text.compare(comma, 3, ",  "), 0) << "comma in key: " << entry.key;
        }
    }
}

TEST(Catalogue, BlanksAtTheEdgesOfDefaultsSurvive) {
    // Texts joined with a variable part keep their edge blanks.
    const struct {
        const char* key;
        bool leading;
        bool trailing;
    } cases[] = {
        {"msg025", false, true},  {"msg002", true, false}, {"msg031", true, false},
        {"msg028b", false, true}, {"tabTC", true, false},  {"lbltcName2", true, true},
    };
    for (const auto& c : cases) {
        const std::string& text = czechDefault(c.key);
        ASSERT_FALSE(text.empty()) << "key: " << c.key;
        EXPECT_EQ(text.front() == ' ', c.leading) << "key: " << c.key;
        EXPECT_EQ(text.back() == ' ', c.trailing) << "key: " << c.key;
    }
    EXPECT_EQ(czechDefault("no such key"), "");
}

TEST(Texts, WithoutALanguageEveryKeyAnswersItsCzechDefault) {
    const Texts texts;
    for (const CatalogueEntry& entry : catalogue())
        EXPECT_EQ(texts.get(std::string(entry.key)), entry.czechDefault) << "key: " << entry.key;
    EXPECT_EQ(texts.get("no such key"), "");
    EXPECT_EQ(texts.get("no such key", "given"), "given");
    EXPECT_EQ(texts.get("msg025", "given"), "given");
}

TEST(Texts, LanguageTextsReplaceDefaultsKeyByKey) {
    test::TempDir dir;
    const std::string file = dir.write("en.lng", "gLanguage = 'English'\n"
                                                 "msg025 = 'Cannot open port '\n"
                                                 "extraKey = 'extra'\n"
                                                 "btOK = ''\n");
    clsLanguage language;
    ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", dir.str()));
    const Texts texts(&language);

    struct Case {
        const char* name;
        int index;
        std::string key;
        std::string expected;
    } cases[] = {
        {"no language current", -1, "msg025", czechDefault("msg025")},
        {"key in the file", 0, "msg025", "Cannot open port "},
        {"key missing from the file", 0, "msg038", czechDefault("msg038")},
        {"empty text in the file", 0, "btOK", czechDefault("btOK")},
        {"key outside the catalogue", 0, "extraKey", ""},
    };
    for (const Case& c : cases) {
        language.Index(c.index);
        EXPECT_EQ(texts.get(c.key), c.expected) << "case: " << c.name;
    }
    language.Index(0);
    EXPECT_EQ(texts.get("extraKey", "fallback"), "extra");
    EXPECT_EQ(texts.get("missingExtra", "fallback"), "fallback");

    // A language file gone while the program runs: back to the defaults.
    std::filesystem::remove(file);
    EXPECT_EQ(texts.get("msg025"), czechDefault("msg025"));
    EXPECT_EQ(texts.get("extraKey", "fallback"), "fallback");
}

} // namespace
} // namespace rq7
