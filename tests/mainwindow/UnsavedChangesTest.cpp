// The settings compared with the last load or save: the title's document
// name and mark, and the Save/Discard/Cancel question on each way that would
// lose changed settings.

#include "tests/mainwindow/WindowHarness.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Keys = std::vector<std::string>;

std::string title(WindowHarness& h) {
    return h.window().windowTitle().toStdString();
}

TEST(UnsavedChanges, TitleMarkFollowsEditsLoadsAndSaves) {
    WindowHarness h;
    EXPECT_EQ(title(h), "Nové nastavení[*] - Inicializační program pro zařízení RQ7");
    EXPECT_FALSE(h.window().isWindowModified());

    h.type("tabJmenoStanice", "Chata7");
    EXPECT_TRUE(h.window().isWindowModified()) << "an edit on a fresh start";
    h.type("tabJmenoStanice", "");
    EXPECT_FALSE(h.window().isWindowModified()) << "edited back to what was loaded";
    h.click("tabOdpovidatT0");
    EXPECT_TRUE(h.window().isWindowModified()) << "a check box";

    const auto path = h.scratch() / "chata.eep";
    h.files.saveAnswer = path.string();
    h.click("btFileSave");
    EXPECT_EQ(title(h), "chata.eep[*] - Inicializační program pro zařízení RQ7");
    EXPECT_FALSE(h.window().isWindowModified());

    h.type("tabPIN", "1234");
    ASSERT_TRUE(h.window().isWindowModified());
    h.files.openAnswer = path.string();
    h.prompter.answers = {Answer::No, Answer::Ok};
    h.click("btFileLoad");
    EXPECT_EQ(h.prompter.keys(), (Keys{"msg090", "msg004"}));
    EXPECT_EQ(h.text("tabPIN"), "");
    EXPECT_FALSE(h.window().isWindowModified());
}

TEST(UnsavedChanges, EachPathAsksAndEachAnswerDoesWhatItSays) {
    enum class Path { ExitButton, CloseBox, LoadFile };
    struct Case {
        const char* name;
        Path path;
        Answer answer;
        bool leftOrLoaded; // the window closed, or the file's settings shown
        bool saved;
    };
    // Each answer's own effect is the operations test's; here every path
    // asks, and its answer reaches it.
    const Case cases[] = {
        {"btKonec, Cancel", Path::ExitButton, Answer::Cancel, false, false},
        {"close box, Save", Path::CloseBox, Answer::Yes, true, true},
        {"load, Discard", Path::LoadFile, Answer::No, true, false},
    };
    for (const Case& c : cases) {
        WindowHarness h;
        SettingsRecord other;
        other.tabJmenoStanice = "Jina";
        const auto source = h.scratch() / "jina.eep";
        h.window().applyRecord(other);
        h.files.saveAnswer = source.string();
        h.click("btFileSave");
        h.window().applyRecord(SettingsRecord{});
        h.type("tabJmenoStanice", "Upraveno");
        h.prompter.clear();
        const auto saved = h.scratch() / "upraveno.eep";
        h.files.saveAnswer = saved.string();
        h.files.openAnswer = source.string();
        h.files.opened = 0;
        h.prompter.answers = {c.answer};

        switch (c.path) {
        case Path::ExitButton:
            h.click("btKonec");
            break;
        case Path::CloseBox:
            h.window().close();
            break;
        case Path::LoadFile:
            h.click("btFileLoad");
            break;
        }
        ASSERT_FALSE(h.prompter.asked.empty()) << "case: " << c.name;
        EXPECT_EQ(h.prompter.asked[0].key, "msg090") << "case: " << c.name;
        EXPECT_EQ(std::filesystem::exists(saved), c.saved) << "case: " << c.name;
        if (c.path == Path::LoadFile) {
            EXPECT_EQ(h.files.opened, c.leftOrLoaded ? 1 : 0) << "case: " << c.name;
            EXPECT_EQ(h.text("tabJmenoStanice"), c.leftOrLoaded ? "Jina" : "Upraveno")
                << "case: " << c.name;
        } else {
            EXPECT_EQ(h.window().isVisible(), !c.leftOrLoaded) << "case: " << c.name;
            EXPECT_EQ(h.text("tabJmenoStanice"), "Upraveno") << "case: " << c.name;
        }
    }
}

} // namespace
} // namespace rq7::test
