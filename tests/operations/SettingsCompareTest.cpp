#include "operations/SettingsCompare.h"

#include "settings/EepromImage.h"
#include "settings/SettingsDiff.h"
#include "tests/operations/FakeSettingsHolder.h"
#include "tests/support/Files.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/SampleRecords.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>

namespace rq7 {
namespace {

// A file compared with the window: its differences as the diff lists them;
// the window, its page and the program's image buffer stay as they were.
TEST(SettingsCompare, FileDifferencesWithoutTouchingTheWindow) {
    SettingsRecord window;
    window.tabPIN = "1234";
    window.tabTC[2] = "+420603000111";
    window.rtNotAuthorized = "nepovoleno"; // else the flag is stored off
    SettingsRecord file = window;
    file.tabPIN = "9999";
    file.tabINPNazev[4] = "okno";
    test::TempDir dir;
    const std::string path = (dir / "jiny.eep").string();
    test::writeFile(path, test::settingsFileBytes(file));

    struct Case {
        std::string path;
        Outcome outcome;
        std::vector<std::string> keys;
        std::vector<std::string> differences;
    };
    const Case cases[] = {
        {path, Outcome::Done, {}, {"tabPIN", "tabINPNazev(4)"}},
        {(dir / "chybi.eep").string(), Outcome::ReadFailed, {"msg001"}, {}},
    };
    for (const Case& c : cases) {
        test::FakeSettingsHolder holder;
        holder.current = window;
        auto image = std::make_unique<EepromImage>();
        test::ScriptedPrompter prompter;
        test::RecordingStatus status;
        Texts texts;
        WorkflowContext context{holder, *image, prompter, status, texts};
        SettingsRecord other = window;
        EXPECT_EQ(ReadFileToCompare(context, c.path, other), c.outcome) << c.path;
        EXPECT_EQ(prompter.keys(), c.keys) << c.path;
        std::vector<std::string> names;
        for (const FieldDifference& d : DiffSettings(window, other))
            names.push_back(d.field);
        EXPECT_EQ(names, c.differences) << c.path;
        EXPECT_EQ(holder.current, window) << c.path;
        EXPECT_TRUE(holder.events.empty()) << ::testing::PrintToString(holder.events);
        EXPECT_EQ(*image->GetImageByte(0), 0) << "the program's buffer stays: " << c.path;
    }
}

} // namespace
} // namespace rq7
