// Draws every window of the program in one language, for looking at the
// texts: the main window's four pages, the three row dialogs, the status
// window, a question with the toolkit's standard buttons, the toolkit's file
// dialog and the about window (run under xvfb-run).
// usage: languageui_screenshot OUTPUT_DIR [LANGUAGE]
// LANGUAGE is the name of a shipped language file ("English", "Čeština");
// without it the built-in texts are drawn.

#include "settings/SettingsRecord.h"
#include "tests/languageui/LanguageProgram.h"
#include "tests/support/Screenshots.h"
#include "ui/dialogs/Info.h"
#include "ui/main/EditTracker.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using rq7::test::saveScreen;
using rq7::test::saveScreenshot;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto shots = rq7::test::screenshotDir(
        argc, argv, "usage: languageui_screenshot OUTPUT_DIR [LANGUAGE]\n", 1);
    if (!shots)
        return 2;
    const QDir& dir = *shots;
    const std::string language = argc == 3 ? argv[2] : "";

    // The shipped files beside a program of our own, and a store of our own.
    QTemporaryDir temp;
    const std::filesystem::path program = std::filesystem::path(temp.path().toStdString()) / "p";
    const std::filesystem::path settings = std::filesystem::path(temp.path().toStdString()) / "s";
    std::filesystem::create_directories(program);
    for (const auto& entry : std::filesystem::directory_iterator(
             QApplication::applicationDirPath().toStdString() + "/../bin"))
        if (entry.path().extension() == ".lng")
            std::filesystem::copy_file(entry.path(), program / entry.path().filename());
    if (!language.empty())
        rq7::test::saveLanguage(settings, language);

    // The start-up question (no language saved): where it shows on the
    // screen, then closed without a language.
    bool ok = true;
    std::deque<rq7::test::AboutAnswer> start;
    if (language.empty()) {
        rq7::test::AboutAnswer none{std::nullopt, true};
        none.inspect = [&](QDialog* about) {
            QTest::qWait(300); // mapped and painted
            const QString path = dir.filePath(QStringLiteral("startup-screen.png"));
            const bool saved = about->screen()->grabWindow(0).save(path);
            std::printf("%s %s (about window at %d,%d)\n", saved ? "wrote" : "FAILED",
                        qPrintable(path), about->x(), about->y());
            ok = saved && ok;
        };
        start.push_back(none);
    }
    rq7::test::LanguageProgram run(program, settings, start);
    if (run.language.Name() != language) {
        std::fprintf(stderr, "no language '%s' among the shipped files\n", language.c_str());
        return 1;
    }
    rq7::SettingsRecord record;
    record.tabJmenoStanice = "Chata";
    record.tabTC[0] = "+420603123456";
    record.tabTCPrijem[0] = rq7::kFlagOn;
    record.tabINPNazev[0] = "Dvere";
    record.tabINPZap[0] = "otevreno";
    record.tabINPVyp[0] = "zavreno";
    record.tabOUTNazev[0] = "Svetlo";
    record.tabOUTZap[0] = "ON";
    record.tabOUTVyp[0] = "OFF";
    run.window().applyRecord(record);

    rq7::ui::Hlavni& window = run.window();
    for (int page = 0; page < window.tabList()->count(); ++page) {
        window.showPage(page);
        rq7::test::settle();
        ok = saveScreenshot(&window, dir, QStringLiteral("page%1.png").arg(page)) && ok;
        // Where the window sits on the screen, with what scrolls.
        ok = saveScreen(&window, dir, QStringLiteral("page%1-screen.png").arg(page)) && ok;
    }
    // Two edits (one marked field per page shown), the Edit menu open, then
    // the list of changes.
    window.showPage(0);
    window.edits().loaded();
    record.tabPIN = "4321";
    record.tabINPNazev[1] = "Okno";
    window.applyRecord(record);
    window.edits().commitNow();
    rq7::test::settle();
    ok = saveScreenshot(&window, dir, QStringLiteral("marked.png")) && ok;
    // The same marks in a dark palette.
    const QPalette light = QApplication::palette();
    QPalette dark;
    for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(53, 53, 53)},
                                       {QPalette::Base, QColor(35, 35, 35)},
                                       {QPalette::Button, QColor(53, 53, 53)},
                                       {QPalette::WindowText, QColor(Qt::white)},
                                       {QPalette::Text, QColor(Qt::white)},
                                       {QPalette::ButtonText, QColor(Qt::white)},
                                       {QPalette::Highlight, QColor(42, 130, 218)}})
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
    rq7::test::settle();
    ok = saveScreenshot(&window, dir, QStringLiteral("marked-dark.png")) && ok;
    QApplication::setPalette(light);
    rq7::test::settle();
    QMenu* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    file->popup(window.mapToGlobal(QPoint(10, 20)));
    rq7::test::settle();
    QMenu* compare = window.findChild<QMenu*>(QStringLiteral("mnuCompare"));
    file->setActiveAction(compare->menuAction());
    compare->popup(file->geometry().topRight() +
                   QPoint(0, file->actionGeometry(compare->menuAction()).top()));
    rq7::test::settle();
    ok = saveScreen(&window, dir, QStringLiteral("menu-file.png")) && ok;
    compare->hide();
    file->hide();
    QMenu* edit = window.findChild<QMenu*>(QStringLiteral("mnuEdit"));
    edit->popup(window.mapToGlobal(QPoint(60, 20)));
    rq7::test::settle();
    ok = saveScreen(&window, dir, QStringLiteral("menu-edit.png")) && ok;
    edit->hide();
    QTimer::singleShot(300, [&] {
        if (QWidget* list = QApplication::activeModalWidget()) {
            ok = saveScreenshot(list, dir, QStringLiteral("changes.png")) && ok;
            list->close();
        }
    });
    window.findChild<QAction*>(QStringLiteral("mnuChanges"))->trigger();
    run.openRowDialogs([&](QDialog* dialog) {
        ok = saveScreenshot(dialog, dir, dialog->objectName() + QStringLiteral(".png")) && ok;
    });
    rq7::ui::Info* status = window.statusWindow();
    status->showStatus(run.texts.get("msg026"));
    status->progress(3, 10);
    rq7::test::settle();
    ok = saveScreenshot(status, dir, QStringLiteral("Info.png")) && ok;
    status->hideStatus();
    // The toolkit's own texts: standard buttons and the file dialog.
    QMessageBox question(QMessageBox::Question, QStringLiteral("RQ7 Init"),
                         QString::fromStdString(run.texts.get("msg035")),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &window);
    question.show();
    rq7::test::settle();
    ok = saveScreenshot(&question, dir, QStringLiteral("question.png")) && ok;
    question.hide();
    QFileDialog files(&window);
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    rq7::test::settle();
    ok = saveScreenshot(&files, dir, QStringLiteral("filedialog.png")) && ok;
    files.hide();
    rq7::test::AboutAnswer look;
    look.inspect = [&](QDialog* about) {
        ok = saveScreenshot(about, dir, QStringLiteral("frmAbout.png")) && ok;
    };
    run.openAbout(look);
    return ok ? 0 : 1;
}
