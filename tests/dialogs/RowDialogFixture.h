#pragma once
// The main window with scripted ports, and ways into its row dialogs.

#include "settings/SettingsRecord.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/mainwindow/WindowHarness.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/dialogs/TelCislo.h"
#include "ui/dialogs/Vstup.h"
#include "ui/dialogs/Vystup.h"

#include <QCheckBox>
#include <gtest/gtest.h>
#include <string>

namespace rq7::test {

enum class Way { Button, DoubleClick };

struct TableInfo {
    const char* button; // row button stem
    int page;           // page of TabList
    char letter;        // row caption letter
};

inline TableInfo telephoneTable() {
    return {"tabTCZmenit", 1, 'T'};
}
inline TableInfo inputTable() {
    return {"tabINPbt", 2, 'I'};
}
inline TableInfo outputTable() {
    return {"tabOUTbt", 3, 'O'};
}

class RowDialogTest : public ::testing::Test {
protected:
    ui::Hlavni& window() { return harness.window(); }

    // Puts a record into the window as loading does (no flag messages) and
    // forgets what was asked so far.
    void load(const SettingsRecord& record) {
        window().applyRecord(record);
        settle();
        harness.prompter.clear();
    }

    // The steps for the dialog that the next pressRowButton or doubleClick opens.
    void whileOpen(std::vector<Step> steps, std::shared_ptr<DialogRun> run = nullptr) {
        steps_ = std::move(steps);
        run_ = std::move(run);
    }

    // Presses the row's options button; the steps run in the dialog.
    void pressRowButton(const TableInfo& table, int row) {
        window().showPage(table.page);
        settle();
        QWidget* button = harness.control(ui::rowName(table.button, row).toStdString());
        ASSERT_NE(button, nullptr);
        queueSteps(std::move(steps_), std::move(run_));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        settle();
    }

    // Double-clicks a text field of the main window; the steps run in the dialog.
    void doubleClick(const std::string& field, int page) {
        window().showPage(page);
        settle();
        QWidget* target = harness.control(field);
        ASSERT_NE(target, nullptr);
        queueSteps(std::move(steps_), std::move(run_));
        QTest::mouseDClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        settle();
    }

    std::vector<std::string> asked() const { return harness.prompter.keys(); }

    WindowHarness harness;

private:
    std::vector<Step> steps_;
    std::shared_ptr<DialogRun> run_;
};

// Steps that end a dialog.
inline Step pressEnter() {
    return [](ui::RowDialog&) { press(Qt::Key_Return); };
}
inline Step pressEscape() {
    return [](ui::RowDialog&) { press(Qt::Key_Escape); };
}
inline Step clickStorno() {
    return [](ui::RowDialog& dialog) {
        QWidget* storno = in(dialog, "btStorno");
        QTest::mouseClick(storno, Qt::LeftButton);
    };
}
inline Step clickOk() {
    return [](ui::RowDialog& dialog) {
        QWidget* ok = in(dialog, "btOk");
        QTest::mouseClick(ok, Qt::LeftButton);
    };
}
inline Step closeBox() {
    return [](ui::RowDialog& dialog) { dialog.close(); };
}

// The three ways to cancel a dialog, each with its name.
struct CancelWay {
    const char* name;
    Step cancel;
};
inline std::vector<CancelWay> cancelWays() {
    return {{"Storno", clickStorno()}, {"Esc", pressEscape()}, {"close box", closeBox()}};
}

// Sets a dialog control from the program: a text, or a check box's "0"/"1".
inline Step set(const char* name, const std::string& value) {
    return [name, value](ui::RowDialog& dialog) {
        QWidget* control = in(dialog, name);
        if (qobject_cast<QCheckBox*>(control))
            ui::setControlFlag(control, value == "1" ? kFlagOn : kFlagOff);
        else
            ui::setControlText(control, value);
    };
}

} // namespace rq7::test
