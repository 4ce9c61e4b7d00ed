// A settings file that reaches the window from outside: named on the
// command line (the program calls openFile once the window is up) or
// dropped on the window. A good file loads with the usual message; a bad
// one gets its message and leaves the window as it was (which files are bad
// is OpenSettingsFile's to decide and its tests' to show).

#include "tests/mainwindow/WindowHarness.h"
#include "tests/support/EventLoop.h"
#include "tests/support/Files.h"
#include "tests/support/SampleRecords.h"
#include "ui/main/EditTracker.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Keys = std::vector<std::string>;

std::string title(WindowHarness& h) {
    return h.window().windowTitle().toStdString();
}

TEST(OpenFromOutside, CommandLineFileLoadsOrLeavesAnEmptyWindow) {
    const SettingsRecord sample = everyFieldSet();
    const std::string bytes = settingsFileBytes(sample);
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
        Keys keys;
        bool loaded;
    };
    const Case cases[] = {
        {"a settings file", [&](const auto& p) { writeFile(p, bytes); }, {"msg004"}, true},
        {"a missing file", [](const auto&) {}, {"msg001"}, false},
        {"a file cut short",
         [&](const auto& p) { writeFile(p, bytes.substr(0, bytes.size() / 2)); },
         {"msg006"},
         false},
    };
    for (const Case& c : cases) {
        WindowHarness h;
        const std::string start = title(h);
        const auto path = h.scratch() / "x.eep";
        c.make(path);
        EXPECT_EQ(h.window().openFile(path.string()), c.loaded) << "case: " << c.name;
        EXPECT_EQ(h.prompter.keys(), c.keys) << "case: " << c.name;
        EXPECT_EQ(h.window().record() == (c.loaded ? sample : SettingsRecord{}), true)
            << "case: " << c.name;
        if (c.loaded) {
            EXPECT_NE(title(h).find("x.eep"), std::string::npos) << title(h);
            EXPECT_TRUE(h.window().edits().changes().empty()) << "case: " << c.name;
        } else {
            EXPECT_EQ(title(h), start) << "case: " << c.name;
        }
    }
}

// Drops `paths` on `target` (a control of the window) as a file manager does.
void drop(QWidget* target, const std::vector<std::filesystem::path>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(path.string()));
    data.setUrls(urls);
    data.setText(urls.front().toLocalFile()); // file managers offer the path as text too
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    settle();
}

TEST(OpenFromOutside, DropOpensOneSettingsFileAfterTheUnsavedQuestion) {
    struct Case {
        const char* name;
        std::vector<const char*> files;
        std::deque<Answer> answers; // to the unsaved-changes question
        Keys keys;
        bool loaded;
        const char* onto = nullptr; // a control; nullptr: the window
    };
    const Case cases[] = {
        {"one settings file", {"x.eep"}, {Answer::No}, {"msg090", "msg004"}, true},
        {"kept by Cancel", {"x.eep"}, {Answer::Cancel}, {"msg090"}, false},
        {"a file of another kind", {"x.txt"}, {}, {"msg133"}, false},
        {"two files", {"x.eep", "y.eep"}, {}, {"msg133"}, false},
        {"onto a text field", {"x.eep"}, {Answer::No}, {"msg090", "msg004"}, true, "tabPIN"},
    };
    const std::string bytes = settingsFileBytes(everyFieldSet());
    for (const Case& c : cases) {
        WindowHarness h;
        h.typeAndLeave("tabPIN", "4321");
        const SettingsRecord edited = h.window().record();
        std::vector<std::filesystem::path> paths;
        for (const char* name : c.files) {
            paths.push_back(h.scratch() / name);
            writeFile(paths.back(), bytes);
        }
        h.prompter.answers = c.answers;
        drop(c.onto ? h.control(c.onto) : &h.window(), paths);
        EXPECT_EQ(h.prompter.keys(), c.keys) << "case: " << c.name;
        EXPECT_EQ(h.window().record() == (c.loaded ? everyFieldSet() : edited), true)
            << "case: " << c.name;
    }
}

// What the window commits as one step: a text field when it is left, a
// check box when it is clicked; undo takes them back in turn.
TEST(EditSteps, LeftFieldsAndClickedBoxesAreUndoneInTurn) {
    WindowHarness h;
    const SettingsRecord start = h.window().record();
    h.typeAndLeave("tabPIN", "4321");
    h.click("tabOdpovidatT0");
    settle();
    const auto trigger = [&](const char* action) {
        h.window().findChild<QAction*>(QString::fromLatin1(action))->trigger();
        settle();
    };
    trigger("mnuUndo");
    EXPECT_EQ(h.window().record().tabOdpovidatT0, start.tabOdpovidatT0);
    EXPECT_EQ(h.text("tabPIN"), "4321");
    trigger("mnuUndo");
    EXPECT_EQ(h.window().record(), start);
    EXPECT_FALSE(h.window().isWindowModified());
    trigger("mnuRedo");
    EXPECT_EQ(h.text("tabPIN"), "4321");
    EXPECT_EQ(h.window().edits().changes().size(), 1u);
    EXPECT_TRUE(h.prompter.asked.empty());
}

} // namespace
} // namespace rq7::test
