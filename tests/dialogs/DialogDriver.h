#pragma once
// Drives a row dialog inside its own modal loop. The steps are queued just
// before the action that opens the dialog and run, one after another, once the
// dialog's loop has started; the events each step raises (leave handlers
// are queued) are handled before the next one. A dialog still open after
// the last step is cancelled and the test fails, so that a broken step can
// never hang the run.

#include "tests/mainwindow/WindowHarness.h"
#include "ui/dialogs/RowDialog.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace rq7::test {

using Step = std::function<void(ui::RowDialog&)>;

struct DialogRun {
    bool opened = false;
    std::string title; // the caption while the dialog was shown
    std::string name;  // objectName of the dialog
};

// Queues `steps` for the row dialog that the very next action opens (no
// event may be handled in between); `run` tells what was seen.
inline void queueSteps(std::vector<Step> steps, std::shared_ptr<DialogRun> run = nullptr) {
    QTimer::singleShot(0, qApp, [steps = std::move(steps), run] {
        auto* dialog = qobject_cast<ui::RowDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no row dialog is open";
            return;
        }
        if (!dialog->isActiveWindow()) {
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog)) << "the dialog must take the focus";
        }
        settle();
        if (run) {
            run->opened = true;
            run->title = dialog->windowTitle().toStdString();
            run->name = dialog->objectName().toStdString();
        }
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (!dialog->isVisible()) {
                ADD_FAILURE() << "the dialog closed before step " << i;
                return;
            }
            steps[i](*dialog);
            settle();
        }
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open after the last step";
            dialog->reject();
        }
    });
}

// Key presses into the dialog's focused control, as the user's keyboard would.
inline void press(Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the focus";
    QTest::keyClick(target, key);
}

template <typename T = QWidget> T* in(ui::RowDialog& dialog, const char* name) {
    auto* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << dialog.objectName().toStdString() << " has no " << name;
    return found;
}

} // namespace rq7::test
