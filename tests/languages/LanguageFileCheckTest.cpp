// The language file check behind "rq7ctl lang check".

#include "ui/language/catalogue/LanguageFileCheck.h"

#include "encoding/Cp1250.h"
#include "tests/support/TempDir.h"
#include "ui/language/catalogue/Catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rq7 {
namespace {

using Kind = LanguageFileProblem::Kind;

struct Line {
    std::string key;
    std::string text;
};

// A complete file: every catalogue key with its Czech text, shorter keys
// first so that none captures another.
std::vector<Line> completeFile() {
    std::vector<Line> lines{{"gLanguage", "Test"}, {"gProgramName", "RQ7 Init"}};
    for (const CatalogueEntry& entry : catalogue())
        lines.push_back(
            {std::string(entry.key), cp1250::fromUtf8(std::string(entry.czechDefault))});
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.key.size() < b.key.size(); });
    return lines;
}

std::string render(const std::vector<Line>& lines) {
    std::string out = "; test file\r\n";
    for (const Line& line : lines)
        out += line.key + " = '" + line.text + "'\r\n";
    return out;
}

std::vector<Line>::iterator find(std::vector<Line>& lines, const std::string& key) {
    return std::find_if(lines.begin(), lines.end(), [&](const Line& l) { return l.key == key; });
}

struct Expected {
    Kind kind;
    std::string key;
};

struct CheckCase {
    const char* name;
    void (*edit)(std::vector<Line>&);
    std::vector<Expected> problems;
};

TEST(LanguageFileCheck, FindsMissingCapturedAndBrokenEntries) {
    const CheckCase cases[] = {
        {"complete file", [](std::vector<Line>&) {}, {}},
        {"key removed",
         [](std::vector<Line>& l) { l.erase(find(l, "msg001")); },
         {{Kind::Missing, "msg001"}}},
        {"file keys removed",
         [](std::vector<Line>& l) {
             l.erase(find(l, "gLanguage"));
             l.erase(find(l, "gProgramName"));
         },
         {{Kind::Missing, "gLanguage"}, {Kind::Missing, "gProgramName"}}},
        {"longer key above the shorter one",
         [](std::vector<Line>& l) {
             l.insert(find(l, "msg038"), Line{"msg0381", "other"});
         },
         {{Kind::Captured, "msg038"}}},
        {"lblTC below lblTCPrijem1",
         [](std::vector<Line>& l) {
             const Line moved = *find(l, "lblTC");
             l.erase(find(l, "lblTC"));
             l.push_back(moved);
         },
         {{Kind::Captured, "lblTC"}}},
        {"msg028b above msg028",
         [](std::vector<Line>& l) {
             const Line moved = *find(l, "msg028b");
             l.erase(find(l, "msg028b"));
             l.insert(l.begin(), moved);
         },
         {{Kind::Captured, "msg028"}}},
        {"key named in an earlier text",
         [](std::vector<Line>& l) { find(l, "msg001")->text = "see btClose"; },
         {{Kind::Captured, "btClose"}}},
        {"semicolon inside a text",
         [](std::vector<Line>& l) { find(l, "msg045")->text = "a;b"; },
         {{Kind::NotAnswered, "msg045"}}},
        {"empty text",
         [](std::vector<Line>& l) { find(l, "btOK")->text = ""; },
         {{Kind::NotAnswered, "btOK"}}},
        {"blanks after a comma",
         [](std::vector<Line>& l) { find(l, "msg045")->text = "a,   b"; },
         {{Kind::Altered, "msg045"}}},
        {"doubled apostrophe",
         [](std::vector<Line>& l) { find(l, "btOK")->text = "It''s OK"; },
         {{Kind::DoubledApostrophe, "btOK"}}},
        // Read as Windows-1250, every accented letter would come out garbled.
        {"UTF-8 without a byte-order mark",
         [](std::vector<Line>& l) {
             for (Line& line : l)
                 line.text = cp1250::toUtf8(line.text);
         },
         {{Kind::Utf8WithoutMark, ""}}},
    };
    for (const CheckCase& c : cases) {
        std::vector<Line> lines = completeFile();
        c.edit(lines);
        test::TempDir dir;
        const std::string path = dir.write("check.lng", render(lines));
        const LanguageFileReport report = checkLanguageFile(path);
        ASSERT_TRUE(report.readable) << "case: " << c.name << ": " << report.error;
        ASSERT_EQ(report.problems.size(), c.problems.size()) << "case: " << c.name;
        for (std::size_t i = 0; i < c.problems.size(); ++i) {
            EXPECT_EQ(report.problems[i].kind, c.problems[i].kind) << "case: " << c.name;
            EXPECT_EQ(report.problems[i].key, c.problems[i].key) << "case: " << c.name;
            EXPECT_FALSE(describe(report.problems[i]).empty()) << "case: " << c.name;
        }
    }
}

TEST(LanguageFileCheck, CapturedKeyNamesTheLineThatAnswers) {
    std::vector<Line> lines = completeFile();
    lines.insert(find(lines, "msg038"), Line{"msg0381", "other"});
    test::TempDir dir;
    const LanguageFileReport report = checkLanguageFile(dir.write("c.lng", render(lines)));
    ASSERT_EQ(report.problems.size(), 1u);
    const std::size_t ownLine = static_cast<std::size_t>(find(lines, "msg038") - lines.begin()) + 2;
    EXPECT_EQ(report.problems[0].ownLine, ownLine);
    EXPECT_EQ(report.problems[0].answeringLine, ownLine - 1);
    EXPECT_EQ(report.problems[0].answered, "other");
    EXPECT_EQ(describe(report.problems[0]),
              "msg038: captured by line " + std::to_string(ownLine - 1) + " (own entry on line " +
                  std::to_string(ownLine) + ")");
}

TEST(LanguageFileCheck, UnreadableFile) {
    test::TempDir dir;
    for (const std::string& path : {dir.str() + "/missing.lng", dir.str()}) {
        const LanguageFileReport report = checkLanguageFile(path);
        EXPECT_FALSE(report.readable) << path;
        EXPECT_FALSE(report.error.empty()) << path;
    }
}

TEST(LanguageFileCheck, ParsesWrittenEntries) {
    const struct {
        const char* line;
        bool entry;
        const char* key;
        const char* text;
        bool closed;
    } cases[] = {
        {"key = 'text'", true, "key", "text", true},
        {"  key\t=  ' padded ' ; note", true, "key", " padded ", true},
        {"key = 'open", true, "key", "open", false},
        {"key =", true, "key", "", false},
        {"; key = 'x'", false, "", "", false},
        {"no equals sign", false, "", "", false},
        {" = 'no key'", false, "", "", false},
        {"", false, "", "", false},
    };
    for (const auto& c : cases) {
        WrittenEntry entry;
        ASSERT_EQ(parseWrittenEntry(c.line, entry), c.entry) << "line: " << c.line;
        if (!c.entry)
            continue;
        EXPECT_EQ(entry.key, c.key) << "line: " << c.line;
        EXPECT_EQ(entry.text, c.text) << "line: " << c.line;
        EXPECT_EQ(entry.closed, c.closed) << "line: " << c.line;
    }
}

} // namespace
} // namespace rq7
