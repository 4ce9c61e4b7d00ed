// Finding the language files of a directory and choosing the current one.

#include "languages/clsLanguage.h"
#include "tests/support/TempDir.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rq7 {
namespace {

namespace fs = std::filesystem;

// The names of dir's regular files ending in .lng, in directory order.
std::vector<std::string> languageFilesInDirectoryOrder(const test::TempDir& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() > 4 && name.substr(name.size() - 4) == ".lng")
            names.push_back(name);
    }
    return names;
}

TEST(LanguageEnumeration, EmptyOrMissingDirectoryFindsNothing) {
    test::TempDir dir;
    const std::string missing = dir.str() + "/no-such-dir";
    for (const std::string& where : {dir.str(), missing}) {
        clsLanguage language;
        EXPECT_FALSE(language.GetLanguages(where + "/*.lng", where)) << "dir: " << where;
        EXPECT_EQ(language.Count(), 0) << "dir: " << where;
        EXPECT_EQ(language.Index(), -1) << "dir: " << where;
        EXPECT_EQ(language.Name(), "") << "dir: " << where;
        EXPECT_EQ(language.File(), "") << "dir: " << where;
        EXPECT_EQ(language.GetExpression("gLanguage", "fallback"), "fallback") << "dir: " << where;
    }
}

TEST(LanguageEnumeration, OnlyMatchingRegularFilesInDirectoryOrder) {
    test::TempDir dir;
    dir.write("first.lng", "gLanguage = 'First'\n");
    dir.write("UPPER.LNG", "gLanguage = 'Upper'\n");
    dir.write("noname.lng", "k = 'no language name here'\n");
    dir.write("notes.txt", "gLanguage = 'Text'\n");
    dir.write("old.lng.bak", "gLanguage = 'Backup'\n");
    fs::create_directory(dir.path() / "folder.lng");

    std::vector<std::string> expected;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name == "first.lng" || name == "UPPER.LNG" || name == "noname.lng")
            expected.push_back(name);
    }

    clsLanguage language;
    ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", dir.str()));
    EXPECT_EQ(language.Index(), -1);
    ASSERT_EQ(language.Count(), 3);
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        EXPECT_EQ(language.File(), dir.str() + "/" + expected[i]) << "entry " << i;
        const std::string wantName = expected[i] == "first.lng"   ? "First"
                                     : expected[i] == "UPPER.LNG" ? "Upper"
                                                                  : "";
        EXPECT_EQ(language.Name(), wantName) << "entry " << i;
    }
}

TEST(LanguageEnumeration, PathJoining) {
    test::TempDir dir;
    dir.write("x.lng", "gLanguage = 'X'\n");
    struct Case {
        std::string path;
        std::string file;
    } cases[] = {
        {dir.str(), dir.str() + "/x.lng"},
        {dir.str() + "/", dir.str() + "/x.lng"},
        {"elsewhere", "elsewhere/x.lng"}, // names are joined to Path as given
    };
    for (const Case& c : cases) {
        clsLanguage language;
        ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", c.path)) << "path: " << c.path;
        language.Index(0);
        EXPECT_EQ(language.File(), c.file) << "path: " << c.path;
    }
}

TEST(LanguageEnumeration, SearchPatterns) {
    test::TempDir dir;
    dir.write("alpha.lng", "");
    dir.write("beta.lng", "");
    dir.write("gamma.LnG", "");
    struct Case {
        const char* pattern;
        int count;
    } cases[] = {
        {"*.lng", 3}, {"a*.lng", 1}, {"?eta.lng", 1}, {"*", 3}, {"beta.lng", 1},
        {"*.l?g", 3}, {"*a*a*", 2},  {"*.txt", 0},    {"", 0},  {"alpha", 0},
    };
    for (const Case& c : cases) {
        clsLanguage language;
        EXPECT_EQ(language.GetLanguages(dir.str() + "/" + c.pattern, dir.str()), c.count > 0)
            << "pattern: " << c.pattern;
        EXPECT_EQ(language.Count(), c.count) << "pattern: " << c.pattern;
    }
}

TEST(LanguageEnumeration, ListStopsAt255InDirectoryOrder) {
    for (const int files : {254, 255, 256, 300}) {
        test::TempDir dir;
        for (int i = 0; i < files; ++i)
            dir.write("lang" + std::to_string(i) + ".lng",
                      "gLanguage = 'L" + std::to_string(i) + "'\n");
        const std::vector<std::string> order = languageFilesInDirectoryOrder(dir);
        clsLanguage language;
        ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", dir.str())) << files << " files";
        const int listed = files < 255 ? files : 255;
        ASSERT_EQ(language.Count(), listed) << files << " files";
        for (int i = 0; i < listed; ++i) {
            language.Index(i);
            ASSERT_EQ(language.File(), dir.str() + "/" + order[i])
                << files << " files, entry " << i;
            ASSERT_EQ(language.Name(), "L" + order[i].substr(4, order[i].size() - 8))
                << files << " files, entry " << i;
        }
        language.Index(listed);
        EXPECT_EQ(language.Index(), listed - 1) << files << " files";
    }
}

TEST(LanguageEnumeration, ListingAgainStartsFromEmpty) {
    test::TempDir full;
    test::TempDir empty;
    full.write("a.lng", "gLanguage = 'A'\n");
    clsLanguage language;
    ASSERT_TRUE(language.GetLanguages(full.str() + "/*.lng", full.str()));
    language.Index(0);
    EXPECT_FALSE(language.GetLanguages(empty.str() + "/*.lng", empty.str()));
    EXPECT_EQ(language.Count(), 0);
    EXPECT_EQ(language.Index(), -1);
    EXPECT_EQ(language.Name(), "");
}

TEST(LanguageEnumeration, IndexWritesOutsideTheListAreIgnored) {
    test::TempDir dir;
    for (const char* name : {"a.lng", "b.lng", "c.lng"})
        dir.write(name, "");
    clsLanguage language;
    ASSERT_TRUE(language.GetLanguages(dir.str() + "/*.lng", dir.str()));
    ASSERT_EQ(language.Count(), 3);
    struct Step {
        int write;
        int expected;
    } steps[] = {
        {1, 1}, {3, 1}, {-2, 1},  {255, 1}, {1000, 1}, {INT_MIN, 1}, {INT_MAX, 1},
        {2, 2}, {0, 0}, {-1, -1}, {-2, -1}, {3, -1},   {65535, -1},
    };
    for (const Step& s : steps) {
        language.Index(s.write);
        EXPECT_EQ(language.Index(), s.expected) << "after writing " << s.write;
    }
}

TEST(LanguageEnumeration, IndexCannotBeSetWithoutLanguages) {
    clsLanguage language;
    for (const int value : {0, 1, 255, -2}) {
        language.Index(value);
        EXPECT_EQ(language.Index(), -1) << "after writing " << value;
    }
}

TEST(LanguageEnumeration, LibraryIdentity) {
    const clsLanguage language;
    EXPECT_EQ(language.GetName(), "Languages");
    EXPECT_EQ(language.GetVersion(), "1.02");
}

} // namespace
} // namespace rq7
