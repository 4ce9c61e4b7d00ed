// Which language is current: the saved choice, the about window's list and
// the choice taken when it closes; the version text. No windows.

#include "ui/language/choice/LanguageChoice.h"

#include "languages/clsLanguage.h"
#include "tests/languageui/LanguageFiles.h"
#include "tests/support/TempDir.h"
#include "ui/language/choice/LanguageLocale.h"
#include "ui/language/choice/ProgramIdentity.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <tuple>

namespace rq7 {
namespace {

using test::LanguageFileContent;

// A settings store in memory that can be made to fail.
class MemoryStore : public SettingsStore {
public:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    bool failRead = false;
    bool failWrite = false;
    int writes = 0;

    bool read(const std::string& application, const std::string& section, const std::string& key,
              std::string& value) override {
        const auto found = values.find({application, section, key});
        if (failRead || found == values.end())
            return false;
        value = found->second;
        return true;
    }
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override {
        ++writes;
        if (failWrite)
            return false;
        values[{application, section, key}] = value;
        return true;
    }
    void save(const std::string& name) { values[{"RQ7 Init", "Options", "Language"}] = name; }
    std::optional<std::string> saved() const {
        const auto found = values.find({"RQ7 Init", "Options", "Language"});
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};

struct NamedFile {
    std::string file;
    LanguageFileContent content;
};

// A directory with the files, listed by a language object.
struct Languages {
    test::TempDir dir;
    clsLanguage language;
    std::vector<std::string> order; // file names in directory order

    explicit Languages(const std::vector<NamedFile>& files) {
        for (const NamedFile& file : files)
            test::writeLanguageFile(dir.path(), file.file, file.content);
        order = test::lngFilesInDirectoryOrder(dir.path());
        LoadLanguageList(language, dir.path());
    }
    // The list position of a file.
    int indexOf(const std::string& file) const {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] == file)
                return static_cast<int>(i);
        return -1;
    }
};

TEST(LanguageChoice, PatternIsTheDirectoryWithOneSeparator) {
    EXPECT_EQ(LanguagePattern("/opt/rq7"), "/opt/rq7/*.lng");
    EXPECT_EQ(LanguagePattern("/opt/rq7/"), "/opt/rq7/*.lng");
    EXPECT_EQ(LanguagePattern("/"), "/*.lng");
}

TEST(LanguageChoice, LanguageDirectoryIsTheFirstHoldingALanguageFile) {
    const test::TempDir beside, installed, empty;
    test::writeLanguageFile(installed.path(), "english.LNG", {"English", "RQ7 Init", "E", {}});
    test::writeLanguageFile(empty.path(), "notes.txt", {"Text", "RQ7 Init", "T", {}});
    EXPECT_EQ(LanguageDirectory({empty.path(), beside.path() / "missing", installed.path()}),
              installed.path());
    test::writeLanguageFile(beside.path(), "cestina.lng", {"Čeština", "RQ7 Init", "C", {}});
    EXPECT_EQ(LanguageDirectory({beside.path(), installed.path()}), beside.path());
    // None holds one: the first, where the list then comes out empty.
    EXPECT_EQ(LanguageDirectory({empty.path(), beside.path() / "missing"}), empty.path());
}

TEST(LanguageChoice, LoadListsTheFilesWithNoneCurrent) {
    Languages set({{"cz.lng", {"Čeština", "RQ7 Init", "C", {}}},
                   {"en.lng", {"English", "RQ7 Init", "E", {}}},
                   {"notes.txt", {"Text", "RQ7 Init", "T", {}}}});
    EXPECT_EQ(set.language.Count(), 2);
    EXPECT_EQ(set.language.Index(), -1);
    set.language.Index(set.indexOf("cz.lng"));
    EXPECT_EQ(set.language.Name(), "Čeština");
    EXPECT_EQ(set.language.File(), (set.dir.path() / "cz.lng").string());
}

TEST(LanguageChoice, RestoreMakesTheSavedLanguageCurrent) {
    const std::vector<NamedFile> files = {
        {"cz.lng", {"Čeština", "RQ7 Init", "C", {}}},
        {"en.lng", {"English", "RQ7 Init", "E", {}}},
        {"dup1.lng", {"Twice", "RQ7 Init", "D1", {}}},
        {"dup2.lng", {"Twice", "RQ7 Init", "D2", {}}},
        {"noname.lng", {"", "RQ7 Init", "N", {}}},
    };
    struct Case {
        const char* name;
        std::optional<std::string> saved;
        bool failRead;
        // The file made current is the first of these in directory order;
        // none: no language current.
        std::vector<std::string> candidates;
    } cases[] = {
        {"nothing saved", std::nullopt, false, {}},
        {"exact name", "English", false, {"en.lng"}},
        {"non-ASCII name", "Čeština", false, {"cz.lng"}},
        {"other letter case", "english", false, {}},
        {"trailing blank", "English ", false, {}},
        {"name of no file", "Deutsch", false, {}},
        {"empty name is no choice", "", false, {}},
        {"store cannot be read", "English", true, {}},
        {"same name twice", "Twice", false, {"dup1.lng", "dup2.lng"}},
    };
    for (const Case& c : cases) {
        Languages set(files);
        MemoryStore store;
        if (c.saved)
            store.save(*c.saved);
        store.failRead = c.failRead;
        set.language.Index(set.indexOf("cz.lng")); // restoring starts from none
        RestoreLanguageChoice(set.language, store);
        int expected = -1;
        for (const std::string& file : c.candidates)
            if (expected < 0 || set.indexOf(file) < expected)
                expected = set.indexOf(file);
        EXPECT_EQ(set.language.Index(), expected) << "case: " << c.name;
        EXPECT_EQ(store.writes, 0) << "case: " << c.name;
    }
}

TEST(LanguageChoice, SaveStoresTheCurrentNameUnderOptionsLanguage) {
    Languages set({{"en.lng", {"English", "RQ7 Init", "E", {}}}});
    MemoryStore store;
    set.language.Index(0);
    EXPECT_TRUE(SaveLanguageChoice(set.language, store));
    EXPECT_EQ(store.saved(), "English");
    ASSERT_EQ(store.values.size(), 1u);

    set.language.Index(-1);
    EXPECT_TRUE(SaveLanguageChoice(set.language, store));
    EXPECT_EQ(store.saved(), "") << "no language: the empty name";

    store.failWrite = true;
    set.language.Index(0);
    EXPECT_FALSE(SaveLanguageChoice(set.language, store));
    EXPECT_EQ(store.saved(), "") << "a failed write changes nothing";
}

// The list the about window shows, as names top first, and the name selected.
struct Shown {
    std::vector<std::string> names;
    std::string selected; // "" for none
};

Shown shown(const LanguageOffer& offer) {
    Shown result;
    for (const OfferedLanguage& entry : offer.entries)
        result.names.push_back(entry.name);
    if (offer.selected >= 0)
        result.selected = offer.entries.at(static_cast<std::size_t>(offer.selected)).name;
    return result;
}

TEST(LanguageChoice, OfferListsNamedProgramFilesInReverseDirectoryOrder) {
    const std::map<std::string, std::string> nameOfFile = {
        {"a.lng", "Alpha"}, {"b.lng", "Beta"}, {"c.lng", "Gamma"}, {"d.lng", "Delta"}};
    Languages set({{"a.lng", {"Alpha", "RQ7 Init", "A", {}}},
                   {"b.lng", {"Beta", "RQ7 Init", "B", {}}},
                   {"c.lng", {"Gamma", "RQ7 Init", "C", {}}},
                   {"d.lng", {"Delta", "RQ7 Init", "D", {}}},
                   {"noprogram.lng", {"Foreign", "", "F", {}}},
                   {"noname.lng", {"", "RQ7 Init", "N", {}}},
                   {"emptyprogram.lng", {"Hollow", "", "H", {{"gProgramName", ""}}}}});
    std::vector<std::string> expected;
    for (const std::string& file : set.order)
        if (nameOfFile.count(file))
            expected.insert(expected.begin(), nameOfFile.at(file));

    const LanguageOffer offer = OfferedLanguages(set.language);
    const Shown list = shown(offer);
    EXPECT_EQ(list.names, expected);
    EXPECT_EQ(list.selected, "") << "no current language and no English";
    for (const OfferedLanguage& entry : offer.entries) {
        set.language.Index(entry.index);
        EXPECT_EQ(set.language.Name(), entry.name) << "item data of " << entry.name;
    }
}

TEST(LanguageChoice, OfferSelectsTheCurrentElseEnglish) {
    const std::vector<NamedFile> files = {
        {"cz.lng", {"Čeština", "RQ7 Init", "C", {}}},
        {"en.lng", {"English", "RQ7 Init", "E", {}}},
        {"shout.lng", {"ENGLISH", "RQ7 Init", "S", {}}},
        {"de.lng", {"Deutsch", "RQ7 Init", "G", {}}},
        {"foreign.lng", {"Foreign", "", "F", {}}},
    };
    struct Case {
        const char* name;
        const char* current; // file made current before; "" for none
        std::vector<std::string> present;
        std::string selected;
    } cases[] = {
        {"none current, English present", "", {"cz.lng", "en.lng", "de.lng"}, "English"},
        {"none current, English in capitals", "", {"cz.lng", "shout.lng"}, "ENGLISH"},
        {"none current, no English", "", {"cz.lng", "de.lng"}, ""},
        {"current wins over English", "de.lng", {"cz.lng", "en.lng", "de.lng"}, "Deutsch"},
        {"current English", "en.lng", {"cz.lng", "en.lng"}, "English"},
        {"current not offered: English", "foreign.lng", {"foreign.lng", "en.lng"}, "English"},
        {"current not offered, no English", "foreign.lng", {"foreign.lng", "cz.lng"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<NamedFile> present;
        for (const NamedFile& file : files)
            for (const std::string& wanted : c.present)
                if (file.file == wanted)
                    present.push_back(file);
        Languages set(present);
        const int current = *c.current ? set.indexOf(c.current) : -1;
        set.language.Index(current);
        const LanguageOffer offer = OfferedLanguages(set.language);
        EXPECT_EQ(shown(offer).selected, c.selected) << "case: " << c.name;
        EXPECT_EQ(set.language.Index(), current) << "case: " << c.name << ": current kept";
    }
}

TEST(LanguageChoice, TwoEnglishFilesSelectTheFirstInDirectoryOrder) {
    Languages set({{"en1.lng", {"English", "RQ7 Init", "E1", {}}},
                   {"en2.lng", {"english", "RQ7 Init", "E2", {}}}});
    const LanguageOffer offer = OfferedLanguages(set.language);
    ASSERT_EQ(offer.entries.size(), 2u);
    ASSERT_GE(offer.selected, 0);
    EXPECT_EQ(offer.entries[static_cast<std::size_t>(offer.selected)].index, 0);
    EXPECT_EQ(offer.selected, 1) << "the first file is at the bottom of the list";
}

TEST(LanguageChoice, TakingTheChoiceAsTheWindowCloses) {
    Languages set({{"cz.lng", {"Čeština", "RQ7 Init", "C", {}}},
                   {"en.lng", {"English", "RQ7 Init", "E", {}}}});
    struct Case {
        const char* name;
        int current;
        std::optional<int> chosen;
        bool changed;
        int after;
    } cases[] = {
        {"nothing selected", -1, std::nullopt, false, -1},
        {"nothing selected keeps the current", 1, std::nullopt, false, 1},
        {"first choice", -1, 0, true, 0},
        {"another language", 0, 1, true, 1},
        {"the current language again", 1, 1, false, 1},
        {"item data out of range", 0, 7, false, 0},
    };
    for (const Case& c : cases) {
        set.language.Index(c.current);
        EXPECT_EQ(TakeLanguageChoice(set.language, c.chosen), c.changed) << "case: " << c.name;
        EXPECT_EQ(set.language.Index(), c.after) << "case: " << c.name;
    }
}

TEST(LanguageLocale, TheFilesOwnElseByNameElseNone) {
    Languages langs({{"a.lng", {"Klingon", "RQ7 Init", "", {{"gLocale", "tlh"}}}},
                     {"b.lng", {"\u010ce\u0161tina", "RQ7 Init", "", {}}},
                     {"c.lng", {"English", "RQ7 Init", "", {{"gLocale", "../en"}}}},
                     {"d.lng", {"Esperanto", "RQ7 Init", "", {}}},
                     {"e.lng", {"English", "RQ7 Init", "", {{"gLocale", "en_GB"}}}}});
    const std::map<std::string, std::string> expected = {
        {"a.lng", "tlh"}, // named by the file
        {"b.lng", "cs"},  // by the language's name
        {"c.lng", "en"},  // no locale name: by the language's name
        {"d.lng", ""},    // unknown: the toolkit's own English
        {"e.lng", "en_GB"},
    };
    for (const auto& [file, locale] : expected) {
        langs.language.Index(langs.indexOf(file));
        EXPECT_EQ(LanguageLocale(langs.language), locale) << "case: " << file;
    }
    // None current: the built-in texts are Czech.
    langs.language.Index(-1);
    EXPECT_EQ(LanguageLocale(langs.language), "cs");
}

TEST(ProgramIdentity, VersionText) {
    struct Case {
        const char* word;
        ProgramVersion version;
        const char* text;
    } cases[] = {
        {"Version", {1, 9, 1}, "Version 1.9 Beta 1"},
        {"Version", {1, 9, 0}, "Version 1.9"},
        {"Verze", {2, 10, 12}, "Verze 2.10 Beta 12"},
        {"", {0, 0, 0}, " 0.0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionText(c.word, c.version), c.text) << "case: " << c.text;
}

TEST(ProgramIdentity, VersionIsTheBuildsVersion) {
    const ProgramVersion version = programVersion();
    EXPECT_EQ(version.major, RQ7_TEST_VERSION_MAJOR);
    EXPECT_EQ(version.minor, RQ7_TEST_VERSION_MINOR);
    EXPECT_EQ(version.revision, RQ7_TEST_VERSION_BETA);
    EXPECT_STREQ(kProgramProductName, "RQ7 Init");
}

} // namespace
} // namespace rq7
