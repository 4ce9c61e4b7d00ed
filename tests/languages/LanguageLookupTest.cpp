// How one lookup reads a language file: the field reader's rules, the
// substring key match and the first well-formed entry winning.

#include "languages/clsLanguage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

namespace rq7 {
namespace {

using namespace std::string_literals;

// A language object whose current language is one file with these bytes.
class OneFile {
public:
    explicit OneFile(const std::string& bytes) {
        dir_.write("test.lng", bytes);
        language_.GetLanguages(dir_.str() + "/*.lng", dir_.str());
        language_.Index(0);
    }
    clsLanguage& language() { return language_; }
    const test::TempDir& dir() const { return dir_; }

private:
    test::TempDir dir_;
    clsLanguage language_;
};

const std::string kDefault = "DEFAULT";

struct LookupCase {
    const char* name;
    std::string file;
    std::string key;
    std::string expected; // kDefault when nothing answers
    std::size_t line;     // line of the answering entry, 0 when none
};

TEST(LanguageLookup, FieldRulesAndMatching) {
    const LookupCase cases[] = {
        {"plain entry", "abc = 'Text'\n", "abc", "Text", 1},
        {"blanks around key and equals free", "   abc\t =    'Text'\n", "abc", "Text", 1},
        {"blanks inside the text kept", "k = '  padded  '\n", "k", "  padded  ", 1},
        {"comma with one blank", "k = 'a, b'\n", "k", "a, b", 1},
        {"comma with four blanks collapses to one", "k = 'a,    b'\n", "k", "a, b", 1},
        {"comma without blank gains one", "k = 'a,b'\n", "k", "a, b", 1},
        {"several commas", "k = 'a,b,   c, d'\n", "k", "a, b, c, d", 1},
        {"comment after the closing apostrophe", "k = 'Text' ; a comment\n", "k", "Text", 1},
        {"comment right after the apostrophe", "k = 'Text';x\n", "k", "Text", 1},
        {"semicolon inside the text: no answer", "k = 'a;b'\n", "k", kDefault, 0},
        {"semicolon inside the text: a later line answers", "k = 'a;b'\nk = 'good'\n", "k", "good",
         2},
        {"comment line skipped", "; k = 'commented'\nk = 'real'\n", "k", "real", 2},
        {"longer key above captures the shorter", "msg0381 = 'long'\nmsg038 = 'short'\n", "msg038",
         "long", 1},
        {"shorter key above answers itself", "msg038 = 'short'\nmsg0381 = 'long'\n", "msg038",
         "short", 1},
        {"longer key below the shorter one still found", "msg038 = 'short'\nmsg0381 = 'long'\n",
         "msg0381", "long", 2},
        {"key inside an earlier entry's text", "a = 'see k'\nk = 'own'\n", "k", "see k", 1},
        {"empty text counts as no match", "k = ''\n", "k", kDefault, 0},
        {"empty text then a later line", "k = ''\nk = 'later'\n", "k", "later", 2},
        {"first matching line wins", "k = 'one'\nk = 'two'\n", "k", "one", 1},
        {"comparison is case-sensitive", "ABC = 'upper'\nabc = 'lower'\n", "abc", "lower", 2},
        {"line without equals skipped", "k 'Text'\nk = 'ok'\n", "k", "ok", 2},
        {"apostrophes only before the equals", "'k' = x\nk = 'ok'\n", "k", "ok", 2},
        {"open text goes on in the next line's field", "k = 'a\nb'\n", "k", "a, b", 1},
        {"text split over a line end by a comma", "k = 'a,\n  b'\nz = 'z'\n", "k", "a, , b", 1},
        {"quoted field loses its quotes", "\"k = 'quoted'\"\n", "k", "quoted", 1},
        {"comma inside a quoted field kept as written", "\"k = 'a,   b'\"\n", "k", "a,   b", 1},
        {"text after the closing quote discarded", "\"k = 'Q'\" tail\nz = 'z'\n", "k", "Q", 1},
        {"CR LF line ends", "a = 'A'\r\nk = 'T'\r\n", "k", "T", 2},
        {"lone CR line ends", "a = 'A'\rb = 'B'\rk = 'T'\r", "k", "T", 3},
        {"no line end at the end of the file", "a = 'A'\nk = 'T'", "k", "T", 2},
        {"blank lines counted", "\n\n\nk = 'T'\n", "k", "T", 4},
        {"Windows-1250 text decoded",
         "k = '\xC8"
         "e\x9Atina'\n",
         "k", "Čeština", 1},
        {"Windows-1250 key matched after decoding", "kl\xED\xE8 = 'value'\n", "klíč", "value", 1},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBFk = 'Čeština'\n", "k", "Čeština", 1},
        {"byte order mark then key on the first line", "\xEF\xBB\xBFk = 'x'\n", "k", "x", 1},
        {"NUL bytes are ordinary characters", "k = 'a\0b'\n"s, "k", "a\0b"s, 1},
        {"no entry at all", "just some words\n", "k", kDefault, 0},
        {"empty file", "", "k", kDefault, 0},
    };
    for (const LookupCase& c : cases) {
        OneFile file(c.file);
        std::string text;
        EXPECT_EQ(file.language().GetExpression(c.key, kDefault, text), LanguageStatus::Ok)
            << "case: " << c.name;
        EXPECT_EQ(text, c.expected) << "case: " << c.name;
        std::string entry;
        std::size_t line = 99;
        file.language().FindEntry(c.key, entry, line);
        EXPECT_EQ(line, c.line) << "case: " << c.name;
        EXPECT_EQ(entry, c.expected == kDefault ? std::string() : c.expected) << "case: " << c.name;
    }
}

TEST(LanguageLookup, NothingCachedBetweenLookups) {
    OneFile file("k = 'before'\n");
    EXPECT_EQ(file.language().GetExpression("k", kDefault), "before");
    file.dir().write("test.lng", "k = 'after'\n");
    EXPECT_EQ(file.language().GetExpression("k", kDefault), "after");
}

TEST(LanguageLookup, EachLanguageReadsItsOwnFile) {
    test::TempDir dir;
    dir.write("a.lng", "gLanguage = 'A'\nk = 'from a'\n");
    dir.write("b.lng", "gLanguage = 'B'\nk = 'from b'\n");
    clsLanguage language;
    ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", dir.str()));
    ASSERT_EQ(language.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        language.Index(i);
        const std::string expected = language.Name() == "A" ? "from a" : "from b";
        EXPECT_EQ(language.GetExpression("k", kDefault), expected) << "language " << i;
    }
    language.Index(-1);
    EXPECT_EQ(language.GetExpression("k", kDefault), kDefault);
}

} // namespace
} // namespace rq7
