// Real message boxes take the focus away from the window and give it back.
// None of that may start a field's checks again: one rejection, one box.

#include "tests/mainwindow/WindowHarness.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/FieldWatcher.h"
#include "ui/dialogs/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

// Shows every message in a real QMessageBox and presses its default button
// once the box has become the active window, as a user would.
class RealBoxes : public Prompter {
public:
    RealBoxes() {
        QObject::connect(&closer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && QApplication::activeWindow() == box && box->defaultButton())
                box->defaultButton()->click();
        });
    }
    Answer ask(const Message& message) override {
        keys.push_back(message.key);
        closer_.start(0);
        const Answer answer = boxes_.ask(message);
        closer_.stop();
        return answer;
    }
    std::vector<std::string> keys;

private:
    ui::MessageBoxPrompter boxes_;
    QTimer closer_;
};

TEST(FocusGuard, OneRejectionShowsOneBox) {
    RealBoxes boxes;
    HarnessOptions options;
    options.prompter = &boxes;
    WindowHarness h(options);
    const int before = h.window().fieldWatcher().leaveCount();
    h.typeAndLeave("tabPIN", "12a4", "tabJmenoStanice");
    EXPECT_EQ(boxes.keys, std::vector<std::string>{"msg045"});
    EXPECT_EQ(h.window().fieldWatcher().leaveCount() - before, 1);
    EXPECT_EQ(h.focused(), "tabPIN");
    EXPECT_EQ(h.text("tabPIN"), "12a4");
}

// A second field that holds a wrong text too (loaded, never left) must not
// start a ping-pong of rejections when the focus bounces back. With a real
// box the window has lost the activation when the focus is given back; with
// a prompter that shows nothing it has not, and the field that had received
// the focus loses it again at once.
TEST(FocusGuard, TwoWrongFieldsDoNotBounceTheFocusBetweenThem) {
    for (const bool realBoxes : {true, false}) {
        const char* name = realBoxes ? "real boxes" : "no boxes";
        RealBoxes boxes;
        HarnessOptions options;
        if (realBoxes)
            options.prompter = &boxes;
        WindowHarness h(options);
        const auto keys = [&] { return realBoxes ? boxes.keys : h.prompter.keys(); };
        SettingsRecord loaded;
        loaded.tabTCcentra = "abc";
        h.window().applyRecord(loaded);

        h.typeAndLeave("tabPIN", "12a4", "tabTCcentra");
        EXPECT_EQ(keys(), std::vector<std::string>{"msg045"}) << "case: " << name;
        EXPECT_EQ(h.focused(), "tabPIN") << "case: " << name;

        // Corrected, the PIN lets the focus go; the other field then speaks when left.
        h.typeAndLeave("tabPIN", "1234", "tabTCcentra");
        EXPECT_EQ(h.focused(), "tabTCcentra") << "case: " << name;
        h.focus("tabJmenoStanice");
        EXPECT_EQ(keys(), (std::vector<std::string>{"msg045", "msg046"})) << "case: " << name;
        EXPECT_EQ(h.focused(), "tabTCcentra") << "case: " << name;
    }
}

TEST(FocusGuard, TurningThePageWithAWrongFieldShowsOneBoxAndTurnsBack) {
    RealBoxes boxes;
    HarnessOptions options;
    options.prompter = &boxes;
    WindowHarness h(options);
    h.window().showPage(1);
    h.type("tabUTO", "+4x");
    h.window().tabList()->setCurrentIndex(3);
    settle();
    EXPECT_EQ(boxes.keys, std::vector<std::string>{"msg50"});
    EXPECT_EQ(h.window().tabList()->currentIndex(), 1);
    EXPECT_EQ(h.focused(), "tabUTO");
    EXPECT_TRUE(h.control("tabUTO")->isVisible());
}

// A window that comes in front of a field does not mean the user left it.
TEST(FocusGuard, AWindowInFrontOfAWrongFieldRunsNoCheck) {
    RealBoxes boxes;
    HarnessOptions options;
    options.prompter = &boxes;
    WindowHarness h(options);
    h.type("tabPIN", "12a4");
    h.window().status().showStatus("Pracuji");
    settle();
    h.window().status().hideStatus();
    settle();
    EXPECT_TRUE(boxes.keys.empty());
    EXPECT_EQ(h.text("tabPIN"), "12a4");
    // Leaving it for real still checks it.
    h.focus("tabJmenoStanice");
    EXPECT_EQ(boxes.keys, std::vector<std::string>{"msg045"});
}

TEST(MessageBoxPrompter, BoxesCarryTitleIconButtonsAndDefaults) {
    struct Case {
        Icon icon;
        Buttons buttons;
        QMessageBox::Icon boxIcon;
        QMessageBox::StandardButtons boxButtons;
        QMessageBox::StandardButton escape;
    };
    for (const Case& c :
         {Case{Icon::Critical, Buttons::Ok, QMessageBox::Critical, QMessageBox::Ok,
               QMessageBox::Ok},
          Case{Icon::Exclamation, Buttons::YesNo, QMessageBox::Warning,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
          Case{Icon::Question, Buttons::YesNoCancel, QMessageBox::Question,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel},
          Case{Icon::Information, Buttons::Ok, QMessageBox::Information, QMessageBox::Ok,
               QMessageBox::Ok}}) {
        Message message;
        message.text = "Text <b>not markup</b>";
        message.icon = c.icon;
        message.buttons = c.buttons;
        std::unique_ptr<QMessageBox> box(ui::buildMessageBox(message, nullptr));
        EXPECT_EQ(box->windowTitle().toStdString(), "RQ7 Init");
        EXPECT_EQ(box->text().toStdString(), message.text);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), c.boxIcon);
        EXPECT_EQ(box->standardButtons(), c.boxButtons);
        EXPECT_EQ(box->escapeButton(), box->button(c.escape));
    }
}

TEST(MessageBoxPrompter, AnswersWithTheButtonPressed) {
    for (const auto& [button, answer] :
         {std::pair{QMessageBox::Yes, Answer::Yes}, std::pair{QMessageBox::No, Answer::No},
          std::pair{QMessageBox::Cancel, Answer::Cancel}}) {
        QTimer presser;
        QObject::connect(&presser, &QTimer::timeout, [button = button] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(button)->click();
        });
        presser.start(0);
        ui::MessageBoxPrompter prompter;
        Message message;
        message.buttons = Buttons::YesNoCancel;
        EXPECT_EQ(prompter.ask(message), answer);
    }
}

} // namespace
} // namespace rq7::test
