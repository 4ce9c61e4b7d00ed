// The file dialog of the settings file commands, driven while it is shown.

#include "ui/dialogs/QtFileDialog.h"

#include "tests/support/MemoryStore.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace rq7::ui {
namespace {

// Runs `act` on the dialog once it is shown.
void whenShown(QtFileDialog& files, std::function<void(QFileDialog&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &files, act] {
        if (QFileDialog* dialog = files.current(); dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start(0);
}

TEST(QtFileDialog, CancelGivesNothingAndKeepsTheName) {
    QtFileDialog files(nullptr, false);
    whenShown(files, [](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(files.chooseFileToOpen().has_value());
    EXPECT_EQ(files.lastName().toStdString(), "*.eep");
}

TEST(QtFileDialog, SaveThenOpenOffersTheLastName) {
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath(QStringLiteral("nastaveni.eep"));
    QtFileDialog files(nullptr, false);

    whenShown(files, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("EEPROM (*.eep)")});
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.selectFile(path);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(files.chooseFileToSave({}), path.toStdString());

    QFile(path).open(QIODevice::WriteOnly); // opening offers existing files only
    whenShown(files, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.selectedFiles(), QStringList{path}) << "the last name, offered again";
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(files.chooseFileToOpen(), path.toStdString());
}

TEST(QtFileDialog, OpeningRefusesAMissingFile) {
    QTemporaryDir temp;
    const QString missing = QDir(temp.path()).filePath(QStringLiteral("chybi.eep"));
    QtFileDialog files(nullptr, false);
    int warnings = 0;
    QTimer warningCloser; // the dialog says why it refuses, in a box of its own
    // Looks for the box among the visible windows rather than asking for the
    // active modal widget, which a loaded machine may not have activated yet.
    QObject::connect(&warningCloser, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) {
                ++warnings;
                box->done(QMessageBox::Ok);
            }
        }
    });
    warningCloser.start(10);
    whenShown(files, [&](QFileDialog& dialog) {
        dialog.selectFile(missing);
        static_cast<QDialog&>(dialog).accept(); // refused: the file does not exist
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    EXPECT_FALSE(files.chooseFileToOpen().has_value());
    EXPECT_EQ(warnings, 1);
}

// A name typed without a suffix is saved as .eep; the next run's dialogs
// start in that folder, and the backup folder is opened without becoming it.
TEST(QtFileDialog, AddsTheSuffixAndRemembersTheFolderAcrossRuns) {
    QTemporaryDir temp;
    QTemporaryDir backups;
    const QString folder = QDir(temp.path()).filePath(QStringLiteral("zakaznici"));
    ASSERT_TRUE(QDir().mkpath(folder));
    test::MemoryStore store;
    {
        QtFileDialog files(nullptr, false, &store);
        whenShown(files, [&](QFileDialog& dialog) {
            dialog.selectFile(QDir(folder).filePath(QStringLiteral("sklad-brno")));
            static_cast<QDialog&>(dialog).accept();
        });
        EXPECT_EQ(files.chooseFileToSave({}),
                  QDir(folder).filePath(QStringLiteral("sklad-brno.eep")).toStdString());
    }
    QtFileDialog nextRun(nullptr, false, &store);
    whenShown(nextRun, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), folder);
        dialog.reject();
    });
    EXPECT_FALSE(nextRun.chooseFileToOpen().has_value());
    // Backup names, long and alike up to their ends, are listed whole.
    const QString backup = QStringLiteral("RQ7_04_Chata u lesa pod horou, vchod od silnice a "
                                          "garáž_2026-12-09T05-32-47Z-2.eep");
    QFile(QDir(backups.path()).filePath(backup)).open(QIODevice::WriteOnly);
    whenShown(nextRun, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), QDir(backups.path()).absolutePath());
        auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        if (view) {
            const int needed = view->fontMetrics().horizontalAdvance(backup);
            // The folder is listed in the background; the column follows.
            for (QDeadlineTimer listed(10000);
                 view->columnWidth(0) < needed && !listed.hasExpired();)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            EXPECT_EQ(view->textElideMode(), Qt::ElideNone);
            EXPECT_GE(view->columnWidth(0), needed);
            EXPECT_GT(needed, view->viewport()->width()) << "a name wider than the list";
        }
        EXPECT_NE(view, nullptr);
        dialog.reject();
    });
    EXPECT_FALSE(nextRun.chooseFileToOpenIn(backups.path().toStdString()).has_value());
    EXPECT_EQ(RecentFolder(&store, "").folder(), folder.toStdString());

    // Saving offers the caller's name there; a wildcard names no file, and
    // the dialog stays.
    int shown = 0;
    std::function<void(QFileDialog&)> onSave = [&](QFileDialog& dialog) {
        if (++shown > 1)
            return dialog.reject();
        EXPECT_EQ(dialog.selectedFiles(),
                  QStringList{QDir(folder).filePath(QStringLiteral("Chata 7.eep"))});
        dialog.selectFile(QStringLiteral("*.eep"));
        static_cast<QDialog&>(dialog).done(QDialog::Accepted);
        whenShown(nextRun, onSave);
    };
    whenShown(nextRun, onSave);
    EXPECT_FALSE(nextRun.chooseFileToSave("Chata 7.eep").has_value());
    EXPECT_EQ(shown, 2);
}

} // namespace
} // namespace rq7::ui
