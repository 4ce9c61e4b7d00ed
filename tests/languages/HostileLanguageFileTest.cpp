// Damaged, hostile and vanishing language files: lookups never crash, answer
// valid UTF-8 and report file errors as a status.

#include "encoding/Cp1250.h"
#include "languages/clsLanguage.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace rq7 {
namespace {

using namespace std::string_literals;

const std::string kDefault = "DEFAULT";

bool validUtf8(const std::string& text) {
    return cp1250::sanitizeUtf8(text) == text;
}

struct Selected {
    test::TempDir dir;
    clsLanguage language;
    std::string file;
};

void select(Selected& s, const std::string& bytes) {
    s.file = s.dir.write("hostile.lng", bytes);
    ASSERT_TRUE(s.language.GetLanguages(s.dir.str() + "/*.lng", s.dir.str()));
    s.language.Index(0);
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(generator));
    return bytes;
}

struct HostileCase {
    const char* name;
    std::string file;
    std::string key;
    LanguageStatus status;
    std::string expected;
};

TEST(HostileLanguageFile, ContentsNeverBreakALookup) {
    const std::string longText(10 * 1024 * 1024, 'x');
    const std::string longCommas(10 * 1024 * 1024, ',');
    const HostileCase cases[] = {
        {"file ends inside an open text", "a = 'A'\nk = 'never closed", "k",
         LanguageStatus::TextNotClosed, kDefault},
        {"entry above an open text still answers", "k = 'fine'\nz = 'never closed", "k",
         LanguageStatus::Ok, "fine"},
        {"open text swallows the lines below it", "a = 'open\nk = 'x'\n", "k", LanguageStatus::Ok,
         "open, k = "},
        {"unterminated double quote runs to the end", "\"a = 'A'\nk = 'K'\n", "zzz",
         LanguageStatus::Ok, kDefault},
        {"NUL bytes around the entry", "\0\0k\0 = '\0'\0\n"s, "k", LanguageStatus::Ok, "\0"s},
        {"10 MB line without the key", longText + "\nk = 'after'\n", "k", LanguageStatus::Ok,
         "after"},
        {"10 MB text", "k = '" + longText + "'\n", "k", LanguageStatus::Ok, longText},
        {"10 MB of commas inside an open text", "k = '" + longCommas, "k",
         LanguageStatus::TextNotClosed, kDefault},
        {"invalid UTF-8 after a byte order mark", "\xEF\xBB\xBFk = 'a\xFF\xC3z'\n", "k",
         LanguageStatus::Ok, "a\xEF\xBF\xBD\xEF\xBF\xBDz"},
        {"truncated UTF-8 sequence at the end", "\xEF\xBB\xBFk = 'x'\nz = '\xE2\x82", "k",
         LanguageStatus::Ok, "x"},
        {"only a byte order mark", "\xEF\xBB\xBF", "k", LanguageStatus::Ok, kDefault},
        {"only separators", ",,,,\n\r\n\r,,", "k", LanguageStatus::Ok, kDefault},
    };
    for (const HostileCase& c : cases) {
        Selected s;
        select(s, c.file);
        std::string text;
        EXPECT_EQ(s.language.GetExpression(c.key, kDefault, text), c.status) << "case: " << c.name;
        EXPECT_TRUE(text == c.expected)
            << "case: " << c.name << " (answer of " << text.size() << " bytes)";
        EXPECT_TRUE(validUtf8(text)) << "case: " << c.name;
    }
}

TEST(HostileLanguageFile, RandomBytesAnswerValidUtf8) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        for (const std::string& prefix : {std::string(), "\xEF\xBB\xBF"s}) {
            Selected s;
            select(s, prefix + randomBytes(64 * 1024, seed));
            for (const char* key : {"k", "=", "'", "", "\xC3"}) {
                std::string text;
                s.language.GetExpression(key, kDefault, text);
                EXPECT_TRUE(validUtf8(text)) << "seed " << seed << ", key '" << key << "'";
            }
        }
    }
}

TEST(HostileLanguageFile, FileChangedAfterListing) {
    struct Case {
        const char* name;
        bool remove;
        std::string replacement;
        LanguageStatus status;
    } cases[] = {
        {"file deleted", true, "", LanguageStatus::FileNotOpened},
        {"file emptied", false, "", LanguageStatus::Ok},
        {"file truncated inside a text", false, "gLanguage = 'X'\nk = 'cut",
         LanguageStatus::TextNotClosed},
    };
    for (const Case& c : cases) {
        Selected s;
        select(s, "gLanguage = 'X'\nk = 'text'\n");
        ASSERT_EQ(s.language.GetExpression("k", kDefault), "text") << "case: " << c.name;
        if (c.remove)
            std::filesystem::remove(s.file);
        else
            s.dir.write("hostile.lng", c.replacement);
        std::string text = "stale";
        EXPECT_EQ(s.language.GetExpression("k", kDefault, text), c.status) << "case: " << c.name;
        EXPECT_EQ(text, kDefault) << "case: " << c.name;
        EXPECT_EQ(s.language.GetExpression("k", kDefault), kDefault) << "case: " << c.name;
        EXPECT_EQ(s.language.Name(), "X") << "case: " << c.name;
    }
}

TEST(HostileLanguageFile, UnreadableNameKeepsTheFileListed) {
    test::TempDir dir;
    dir.write("broken.lng", "k = 'opened but never closed");
    dir.write("folder-like.lng", "");
    clsLanguage language;
    ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", dir.str()));
    ASSERT_EQ(language.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        language.Index(i);
        EXPECT_EQ(language.Name(), "") << "entry " << i;
    }
}

} // namespace
} // namespace rq7
