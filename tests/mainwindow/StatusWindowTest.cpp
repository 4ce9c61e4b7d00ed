// The status window Info: message, Storno and CancelFlag, the progress bar,
// and the owner taking no input while an operation runs.

#include "tests/mainwindow/WindowHarness.h"
#include "tests/support/Captions.h"
#include "ui/dialogs/Info.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

// A status window over a shown owner, made after the owner appears.
struct ShownOwner {
    QWidget owner;
    ShownOwner() { owner.show(); }
};
struct StatusBench : ShownOwner {
    const Texts texts;
    ui::Info info{texts, &owner};
};

QPushButton* storno(QWidget& info) {
    return info.findChild<QPushButton*>("Storno");
}

TEST(StatusWindow, ShowsTheMessageWithOrWithoutStorno) {
    StatusBench bench;
    ui::Info& info = bench.info;
    EXPECT_FALSE(info.isVisible());
    EXPECT_EQ(storno(info)->text().toStdString(), "&Storno");

    for (const bool cancellable : {true, false}) {
        if (cancellable)
            info.showStatus("Načítám data z EEPROM do počítače.");
        else
            info.showStatusWithoutCancel("Ukládám nastavení do souboru x.eep");
        EXPECT_TRUE(info.isVisible());
        EXPECT_EQ(info.windowTitle().toStdString(), "RQ7");
        EXPECT_EQ(info.windowModality(), Qt::WindowModal);
        EXPECT_EQ(QApplication::activeModalWidget(), &info);
        EXPECT_EQ(storno(info)->isVisible(), cancellable);
        EXPECT_FALSE(info.findChild<QProgressBar*>("Progress")->isVisible());
        EXPECT_EQ(info.findChild<QLabel*>("Napis")->text().toStdString(),
                  cancellable ? "Načítám data z EEPROM do počítače."
                              : "Ukládám nastavení do souboru x.eep");
        EXPECT_TRUE(info.operationRunning());
        info.hideStatus();
        EXPECT_FALSE(info.isVisible());
        EXPECT_FALSE(info.operationRunning());
    }
}

TEST(StatusWindow, FileNamesAreShownAsWritten) {
    StatusBench bench;
    ui::Info& info = bench.info;
    auto* napis = info.findChild<QLabel*>("Napis");
    const struct {
        const char* name;
        std::string message;
    } cases[] = {
        {"save, tag in the name", bench.texts.get("msg036") + "/tmp/<b>zaloha</b>.eep"},
        {"load, entity in the name", bench.texts.get("msg049") + "/tmp/a&lt;b.eep" + "."},
        {"load, line break tag", bench.texts.get("msg049") + "<br>x.eep" + "."},
    };
    for (const auto& c : cases) {
        info.showStatusWithoutCancel(c.message);
        EXPECT_EQ(napis->text().toStdString(), c.message) << "case: " << c.name;
        EXPECT_TRUE(showsAsWritten(*napis)) << "case: " << c.name;
        info.hideStatus();
    }
}

TEST(StatusWindow, StornoSetsCancelFlagUntilTheNextShowStatus) {
    StatusBench bench;
    ui::Info& info = bench.info;
    info.showStatus("Zapněte zařízení.");
    EXPECT_FALSE(info.cancelRequested());
    QTest::mouseClick(storno(info), Qt::LeftButton);
    EXPECT_TRUE(info.cancelRequested());
    EXPECT_FALSE(info.isVisible());
    info.hideStatus();
    EXPECT_TRUE(info.cancelRequested()) << "the flag outlives the window";
    info.showStatus("Další operace");
    EXPECT_FALSE(info.cancelRequested());
    info.hideStatus();
}

TEST(StatusWindow, NeitherCloseNorEscapeEndsTheWindowOrCancels) {
    StatusBench bench;
    ui::Info& info = bench.info;
    info.showStatus("Pracuji");
    info.close();
    QTest::keyClick(&info, Qt::Key_Escape);
    EXPECT_TRUE(info.isVisible());
    EXPECT_FALSE(info.cancelRequested());
    info.hideStatus();
}

TEST(StatusWindow, ProgressBarOnlyWhileATotalIsKnown) {
    StatusBench bench;
    ui::Info& info = bench.info;
    info.showStatus("Načítám");
    auto* bar = info.findChild<QProgressBar*>("Progress");
    info.progress(3, 10);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(bar->maximum(), 10);
    info.progress(12, 10);
    EXPECT_EQ(bar->value(), 10);
    info.progress(0, 0);
    EXPECT_FALSE(bar->isVisible());
    info.progress(1, 4);
    info.showStatus("Další");
    EXPECT_FALSE(bar->isVisible()) << "a new message starts without a bar";
    info.hideStatus();
}

TEST(StatusWindow, WaitingKeepsTheWidthSoStornoStaysUnderThePointer) {
    StatusBench bench;
    ui::Info& info = bench.info;
    info.showStatus("Čekám");
    const int width = info.width();
    std::string hint;
    for (int i = 0; i < 40; ++i)
        hint += "Zkontrolujte kabel a napájení zařízení. ";
    info.showWaiting("3 s", hint);
    EXPECT_EQ(info.width(), width);
    EXPECT_GE(info.height(), info.layout()->totalHeightForWidth(width));
    info.hideStatus();
}

// Clicks arrive through the window system, where modality applies.
void clickThroughTheScreen(WindowHarness& h, const char* name) {
    QWidget* button = h.control(name);
    const QPoint at = button->mapTo(&h.window(), button->rect().center());
    QTest::mouseClick(h.window().windowHandle(), Qt::LeftButton, {}, at);
    settle();
}

TEST(StatusWindow, TheMainWindowTakesNoInputWhileAnOperationRuns) {
    WindowHarness h;
    clickThroughTheScreen(h, "btFileLoad");
    ASSERT_EQ(h.files.opened, 1) << "the click reaches the button normally";

    h.window().status().showStatus("Načítám data z EEPROM do počítače.");
    clickThroughTheScreen(h, "btFileLoad");
    EXPECT_EQ(h.files.opened, 1) << "blocked by the status window";

    // Storno hides the window; the operation has not ended yet.
    auto* info = h.window().findChild<ui::Info*>("Info");
    ASSERT_NE(info, nullptr);
    QTest::mouseClick(storno(*info), Qt::LeftButton);
    ASSERT_FALSE(info->isVisible());
    clickThroughTheScreen(h, "btFileLoad");
    EXPECT_EQ(h.files.opened, 1) << "blocked until the operation ends";

    h.window().status().hideStatus();
    clickThroughTheScreen(h, "btFileLoad");
    EXPECT_EQ(h.files.opened, 2);
}

} // namespace
} // namespace rq7::test
