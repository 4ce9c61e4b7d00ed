// The file commands from the main window's buttons: a save and a load
// reproduce every setting; a file that is no image, a declined overwrite and
// a failed write leave the window and the old file alone.

#include "settings/SettingsFields.h"
#include "tests/mainwindow/WindowHarness.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/SampleRecords.h"

#include <QTabWidget>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

void expectSameFields(const SettingsRecord& shown, const SettingsRecord& expected,
                      const std::string& when) {
    for (const SettingsField& field : settingsFields())
        EXPECT_EQ(field.get(shown), field.get(expected)) << when << ", field " << field.name();
}

TEST(FileWorkflow, SavingThenLoadingReproducesEveryField) {
    WindowHarness h;
    const SettingsRecord saved = everyFieldSet();
    h.window().applyRecord(saved);
    ASSERT_TRUE(h.prompter.asked.empty());
    expectSameFields(h.window().record(), saved, "before saving");

    const auto path = h.scratch() / "nastaveni.eep";
    h.files.saveAnswer = path.string();
    h.click("btFileSave");
    EXPECT_TRUE(h.prompter.asked.empty()) << "a successful save is silent";
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(static_cast<int>(std::filesystem::file_size(path)), h.usage() - 1);

    h.window().applyRecord(SettingsRecord{});
    h.window().showPage(2);
    h.files.openAnswer = path.string();
    h.prompter.answers = {Answer::No}; // discard the changed settings
    h.click("btFileLoad");
    EXPECT_EQ(h.prompter.keys(), (std::vector<std::string>{"msg090", "msg004"}));
    EXPECT_EQ(h.prompter.asked.at(1).text,
              "Data ze souboru " + path.string() + " byla úspěšně načtena.");
    EXPECT_EQ(h.window().tabList()->currentIndex(), 0);
    expectSameFields(h.window().record(), saved, "after loading");
    EXPECT_FALSE(h.window().status().cancelRequested());
}

TEST(FileWorkflow, LoadingATextFileChangesNothing) {
    WindowHarness h;
    const SettingsRecord before = everyFieldSet();
    h.window().applyRecord(before);
    const auto path = h.scratch() / "poznamky.eep";
    writeFile(path, "Tohle neni nastaveni.\n");
    h.files.openAnswer = path.string();
    h.prompter.answers = {Answer::No};
    h.click("btFileLoad");
    ASSERT_EQ(h.prompter.keys(), (std::vector<std::string>{"msg090", "msg006"}));
    EXPECT_EQ(h.prompter.asked[1].icon, Icon::Information);
    EXPECT_EQ(h.prompter.asked[1].text, "Data v souboru " + path.string() +
                                            " nejsou v pořádku - neodpovídají formátu EEPROM.");
    expectSameFields(h.window().record(), before, "after the failed load");
}

TEST(FileWorkflow, CancelledDialogsDoNothing) {
    WindowHarness h;
    h.click("btFileLoad");
    h.click("btFileSave");
    EXPECT_EQ(h.files.opened, 1);
    EXPECT_EQ(h.files.saved, 1);
    EXPECT_TRUE(h.prompter.asked.empty());
    expectSameFields(h.window().record(), SettingsRecord{}, "after cancelling");
}

TEST(FileWorkflow, DecliningTheOverwriteLeavesTheOldFile) {
    WindowHarness h;
    const auto path = h.scratch() / "stary.eep";
    writeFile(path, "OLD CONTENT");
    h.files.saveAnswer = path.string();
    h.prompter.answers = {Answer::No};
    h.click("btFileSave");
    EXPECT_EQ(h.prompter.keys(), std::vector<std::string>{"msg035"});
    EXPECT_EQ(readFile(path), "OLD CONTENT");
}

TEST(FileWorkflow, AFailedWriteKeepsTheOldFile) {
    WindowHarness h;
    h.window().applyRecord(everyFieldSet());
    const auto path = h.scratch() / "stary.eep";
    writeFile(path, "OLD CONTENT");
    h.files.saveAnswer = path.string();
    h.prompter.answers = {Answer::Yes};
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.ok());
        h.click("btFileSave");
    }
    ASSERT_EQ(h.prompter.keys(), (std::vector<std::string>{"msg035", "msg008"}));
    EXPECT_EQ(h.prompter.asked[1].icon, Icon::Critical);
    EXPECT_EQ(h.prompter.asked[1].text,
              "Při ukládání nastavení programu do souboru " + path.string() + " nastala chyba.");
    EXPECT_EQ(readFile(path), "OLD CONTENT");
}

TEST(FileWorkflow, AWriteBelowAFileFails) {
    WindowHarness h;
    const auto notADirectory = h.scratch() / "soubor.txt";
    writeFile(notADirectory, "x");
    const auto path = notADirectory / "nastaveni.eep";
    h.files.saveAnswer = path.string();
    h.click("btFileSave");
    EXPECT_EQ(h.prompter.keys(), std::vector<std::string>{"msg008"});
    EXPECT_EQ(readFile(notADirectory), "x");
}

} // namespace
} // namespace rq7::test
