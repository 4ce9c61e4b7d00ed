#include "operations/Workflows.h"
#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "tests/operations/FakeSettingsHolder.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>

namespace rq7 {
namespace {

using Strings = std::vector<std::string>;

SettingsRecord sampleRecord() {
    SettingsRecord r;
    r.tabJmenoStanice = "Chata \u0160umava";
    r.tabPIN = "1234";
    r.rtNotAuthorized = "nepovoleny pristup"; // else the flag is stored off
    r.tabTCcentra = "Oskar <+420603052000>";
    r.tabTC[0] = "+420123456789";
    r.tabTCPrijem[0] = kFlagOn;
    r.tabINPNazev[2] = "dvere";
    r.tabOUTNazev[1] = "topeni";
    r.tabOUTZap[1] = "zap";
    r.tabOUTVyp[1] = "vyp";
    r.tabKOMUNIKFormat = kFormatPulse;
    return r;
}

// The ports of one workflow run; the image lives on the heap (64 KiB).
struct Bench {
    test::FakeSettingsHolder holder;
    std::unique_ptr<EepromImage> image = std::make_unique<EepromImage>();
    test::ScriptedPrompter prompter;
    test::RecordingStatus status;
    test::FakeFileDialog dialog;
    Texts texts;
    WorkflowContext context{holder, *image, prompter, status, texts};

    // The one message box shown; fails the test unless there was exactly one.
    Message only() const {
        EXPECT_EQ(prompter.asked.size(), 1u)
            << "messages: " << ::testing::PrintToString(prompter.keys());
        return prompter.asked.empty() ? Message{} : prompter.asked.front();
    }
};

TEST(FileWorkflows, CancelledDialogEndsSilently) {
    for (const bool load : {true, false}) {
        Bench b;
        b.holder.current = sampleRecord();
        const Outcome outcome =
            load ? LoadFromFile(b.context, b.dialog) : SaveToFile(b.context, b.dialog);
        EXPECT_EQ(outcome, Outcome::DialogCancelled) << "case: load=" << load;
        EXPECT_TRUE(b.prompter.asked.empty()) << "case: load=" << load;
        EXPECT_TRUE(b.status.events.empty()) << "case: load=" << load;
        EXPECT_TRUE(b.holder.events.empty()) << "case: load=" << load;
        EXPECT_EQ(b.holder.current, sampleRecord()) << "case: load=" << load;
        EXPECT_EQ(*b.image->GetImageByte(0), 0) << "case: load=" << load;
        EXPECT_EQ(b.dialog.opened + b.dialog.saved, 1) << "case: load=" << load;
    }
}

TEST(FileWorkflows, SavedFileLoadsBackIntoTheWindow) {
    test::TempDir dir;
    const std::string path = (dir / "chata.eep").string();

    Bench save;
    save.holder.current = sampleRecord();
    save.dialog.saveAnswer = path;
    EXPECT_EQ(SaveToFile(save.context, save.dialog), Outcome::Done);
    EXPECT_TRUE(save.prompter.asked.empty()) << "a successful save is silent";
    EXPECT_EQ(long(test::readFile(path).size()), SettingsSize(sampleRecord()) - 1);

    Bench load;
    load.dialog.openAnswer = path;
    load.holder.smsItems = {"Eurotel <+420602909909>", "Oskar <+420603052000>"};
    EXPECT_EQ(LoadFromFile(load.context, load.dialog), Outcome::Done);
    EXPECT_EQ(load.holder.current, sampleRecord());
    const Message m = load.only();
    EXPECT_EQ(m.key, "msg004");
    EXPECT_EQ(m.icon, Icon::Information);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_EQ(m.title, "RQ7 Init");
    EXPECT_EQ(m.text,
              "Data ze souboru " + path + " byla \u00fasp\u011b\u0161n\u011b na\u010dtena.");
    EXPECT_EQ(load.holder.events, (Strings{"page:0", "apply"}));
    EXPECT_EQ(load.status.events,
              (Strings{"quiet:Na\u010d\u00edt\u00e1m nastaven\u00ed ze souboru " + path + ".",
                       "hide", "quiet:P\u0159ev\u00e1d\u00edm data ...", "hide"}));
    EXPECT_EQ(load.holder.usage, MemoryUsageTexts(SettingsSize(sampleRecord()), "?").usage);
}

TEST(FileWorkflows, SaveUsesTheSettingsSizeOfTheCurrentSettings) {
    // The label may lag behind the settings (a picked SMS centre does not
    // refresh it); the file must still hold the whole image.
    test::TempDir dir;
    Bench b;
    b.holder.current = sampleRecord();
    b.holder.usage = "150 byte";
    b.dialog.saveAnswer = (dir / "a.eep").string();
    EXPECT_EQ(SaveToFile(b.context, b.dialog), Outcome::Done);
    const WriteResult written = WriteImage(sampleRecord(), *std::make_unique<EepromImage>());
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(long(test::readFile(dir / "a.eep").size()), written.length);
}

struct LoadCase {
    const char* name;
    std::string contents; // the file's bytes; "<none>" for a missing file
    Outcome outcome;
    std::string key;
    Icon icon;
    std::string text; // with "@" for the path
    bool applied;
};

std::string replaceAt(std::string text, const std::string& path) {
    const auto at = text.find('@');
    return at == std::string::npos ? text : text.replace(at, 1, path);
}

std::string imageFileOf(const SettingsRecord& record) {
    auto image = std::make_unique<EepromImage>();
    const WriteResult written = WriteImage(record, *image);
    EXPECT_TRUE(written.ok);
    return std::string(reinterpret_cast<const char*>(image->data()),
                       static_cast<std::size_t>(written.length));
}

TEST(FileWorkflows, EveryLoadOutcomeShowsItsOneMessage) {
    std::string unreadable = imageFileOf(sampleRecord());
    // The existence period's word at 61 of 32,768 or more stops the reader;
    // the header check does not cover it.
    unreadable[62] = static_cast<char>(0x80);
    const LoadCase cases[] = {
        {"missing file", "<none>", Outcome::ReadFailed, "msg001", Icon::Critical,
         "P\u0159i na\u010d\u00edt\u00e1n\u00ed nastaven\u00ed programu ze souboru @ nastala "
         "chyba.",
         false},
        {"text file", "hello\r\n", Outcome::InvalidImage, "msg006", Icon::Information,
         "Data v souboru @ nejsou v po\u0159\u00e1dku - neodpov\u00eddaj\u00ed form\u00e1tu "
         "EEPROM.",
         false},
        {"empty file", "", Outcome::InvalidImage, "msg006", Icon::Information,
         "Data v souboru @ nejsou v po\u0159\u00e1dku - neodpov\u00eddaj\u00ed form\u00e1tu "
         "EEPROM.",
         false},
        {"longer than the image", std::string(65537, '\0'), Outcome::ReadFailed, "msg001",
         Icon::Critical,
         "P\u0159i na\u010d\u00edt\u00e1n\u00ed nastaven\u00ed programu ze souboru @ nastala "
         "chyba.",
         false},
        {"valid header, unreadable field", unreadable, Outcome::ConversionFailed, "msg034",
         Icon::Critical, "Nezn\u00e1m\u00e1 chyba p\u0159i p\u0159ekladu dat.", true},
        {"good image", imageFileOf(sampleRecord()), Outcome::Done, "msg004", Icon::Information,
         "Data ze souboru @ byla \u00fasp\u011b\u0161n\u011b na\u010dtena.", true},
    };
    for (const LoadCase& c : cases) {
        test::TempDir dir;
        const auto path = (dir / "in.eep").string();
        if (c.contents != "<none>")
            test::writeFile(path, c.contents);
        Bench b;
        SettingsRecord before;
        before.tabJmenoStanice = "p\u0159ed";
        b.holder.current = before;
        b.dialog.openAnswer = path;

        EXPECT_EQ(LoadFromFile(b.context, b.dialog), c.outcome) << "case: " << c.name;
        const Message m = b.only();
        EXPECT_EQ(m.key, c.key) << "case: " << c.name;
        EXPECT_EQ(m.icon, c.icon) << "case: " << c.name;
        EXPECT_EQ(m.buttons, Buttons::Ok) << "case: " << c.name;
        EXPECT_EQ(m.text, replaceAt(c.text, path)) << "case: " << c.name;
        EXPECT_FALSE(b.status.visible) << "case: " << c.name;
        EXPECT_GE(b.holder.usageUpdates, 1) << "case: " << c.name;
        if (c.applied) {
            EXPECT_EQ(b.holder.events, (Strings{"page:0", "apply"})) << "case: " << c.name;
        } else {
            EXPECT_TRUE(b.holder.events.empty()) << "case: " << c.name;
            EXPECT_EQ(b.holder.current, before) << "case: " << c.name;
        }
    }
}

// The image buffer keeps what an earlier load left past a short file's end;
// a file whose settings run past its end must not load over the window.
TEST(FileWorkflows, ACutShortFileIsRefusedAndTheWindowKeepsItsSettings) {
    test::TempDir dir;
    SettingsRecord other = sampleRecord();
    other.tabJmenoStanice = "B";
    other.tabINPNazev[0] = "okno";
    const auto full = (dir / "a.eep").string();
    const auto cut = (dir / "b.eep").string();
    test::writeFile(full, imageFileOf(sampleRecord()));
    test::writeFile(cut, imageFileOf(other).substr(0, 100));
    Bench b;
    b.dialog.openAnswer = full;
    ASSERT_EQ(LoadFromFile(b.context, b.dialog), Outcome::Done);
    const SettingsRecord loaded = b.holder.current;
    b.prompter.asked.clear();
    b.holder.events.clear();

    b.dialog.openAnswer = cut;
    EXPECT_EQ(LoadFromFile(b.context, b.dialog), Outcome::InvalidImage);
    const Message m = b.only();
    EXPECT_EQ(m.key, "msg006");
    EXPECT_EQ(m.text, b.texts.get("msg006") + cut + b.texts.get("msg007"));
    EXPECT_EQ(m.detail, b.texts.get("msg065"));
    EXPECT_TRUE(b.holder.events.empty());
    EXPECT_EQ(b.holder.current, loaded);
}

TEST(FileWorkflows, SettingsThatMakeNoImageAreNotSaved) {
    test::TempDir dir;
    Bench b;
    b.holder.current.tabKOMUNIKFormat = "XYZ";
    b.dialog.saveAnswer = (dir / "a.eep").string();
    EXPECT_EQ(SaveToFile(b.context, b.dialog), Outcome::ConversionFailed);
    const Message m = b.only();
    EXPECT_EQ(m.key, "msg010");
    EXPECT_EQ(m.icon, Icon::Critical);
    EXPECT_EQ(m.text, "Nastala chyba p\u0159i p\u0159evodu dat.");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.eep"));
}

TEST(FileWorkflows, DeclinedOverwriteKeepsTheOldFileSilently) {
    test::TempDir dir;
    Bench b;
    b.holder.current = sampleRecord();
    test::writeFile(dir / "a.eep", "old");
    b.dialog.saveAnswer = (dir / "a.eep").string();
    b.prompter.answers.push_back(Answer::No);
    EXPECT_EQ(SaveToFile(b.context, b.dialog), Outcome::OverwriteDeclined);
    EXPECT_EQ(b.prompter.keys(), Strings{"msg035"});
    EXPECT_EQ(test::readFile(dir / "a.eep"), "old");
}

TEST(FileWorkflows, FailedWriteShowsTheSaveErrorWithThePath) {
    test::TempDir dir;
    Bench b;
    b.holder.current = sampleRecord();
    const std::string path = (dir / "missing" / "a.eep").string();
    b.dialog.saveAnswer = path;
    EXPECT_EQ(SaveToFile(b.context, b.dialog), Outcome::WriteFailed);
    const Message m = b.only();
    EXPECT_EQ(m.key, "msg008");
    EXPECT_EQ(m.icon, Icon::Critical);
    EXPECT_EQ(m.text, "P\u0159i ukl\u00e1d\u00e1n\u00ed nastaven\u00ed programu do souboru " +
                          path + " nastala chyba.");
    EXPECT_FALSE(b.status.visible);
}

// A file-size limit makes the write fail for any user: at the first byte, or
// part-way through settings longer than the limit.
TEST(FileWorkflows, FailedOverwriteKeepsTheOldFile) {
    const struct {
        const char* name;
        rlim_t limit;
    } cases[] = {{"nothing can be written", 0}, {"write cut short", 64}};
    for (const auto& c : cases) {
        test::TempDir dir;
        Bench b;
        b.holder.current = sampleRecord();
        b.holder.current.rtReCall = std::string(100, 'x'); // more than either limit
        test::writeFile(dir / "a.eep", "old");
        const std::string path = (dir / "a.eep").string();
        b.dialog.saveAnswer = path;
        b.prompter.answers.push_back(Answer::Yes);
        Outcome outcome;
        {
            test::FileSizeLimit limit(c.limit);
            ASSERT_TRUE(limit.ok()) << "case: " << c.name;
            outcome = SaveToFile(b.context, b.dialog);
        }
        EXPECT_EQ(outcome, Outcome::WriteFailed) << "case: " << c.name;
        EXPECT_EQ(b.prompter.keys(), (Strings{"msg035", "msg008"})) << "case: " << c.name;
        EXPECT_EQ(b.prompter.asked.back().text,
                  "P\u0159i ukl\u00e1d\u00e1n\u00ed nastaven\u00ed programu do souboru " + path +
                      " nastala chyba.")
            << "case: " << c.name;
        EXPECT_EQ(test::readFile(dir / "a.eep"), "old") << "case: " << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1)
            << "case: " << c.name << ": no temporary file is left behind";
    }
}

} // namespace
} // namespace rq7
