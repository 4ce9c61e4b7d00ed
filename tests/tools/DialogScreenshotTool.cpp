// Draws each row dialog as the main window opens it, for looking at the
// layout (run under xvfb-run; QT_SCALE_FACTOR=2 for 200 %).
// usage: dialogs_screenshot OUTPUT_DIR

#include "settings/EepromImage.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/Screenshots.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/dialogs/RowDialog.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/Hlavni.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Opens a dialog through `edit`, saves its picture once shown, cancels it.
bool shoot(const std::function<void()>& edit, const QDir& dir, const QString& name) {
    bool ok = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<rq7::ui::RowDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QApplication::processEvents();
        ok = rq7::test::saveScreenshot(dialog, dir, name);
        std::printf("  minimum %dx%d\n", dialog->minimumSizeHint().width(),
                    dialog->minimumSizeHint().height());
        dialog->reject();
    });
    edit();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto dir = rq7::test::screenshotDir(argc, argv, "usage: dialogs_screenshot OUTPUT_DIR\n");
    if (!dir)
        return 2;

    const rq7::Texts texts;
    auto image = std::make_unique<rq7::EepromImage>();
    rq7::test::ScriptedPrompter prompter;
    rq7::test::FakeFileDialog files;
    const rq7::MainWindowPorts ports{prompter, files, texts, *image,
                                     QApplication::applicationDirPath().toStdString()};
    rq7::ui::Hlavni window(ports);
    rq7::SettingsRecord record;
    record.tabTC[3] = "+420123456789";
    record.tabTCPrijem[3] = rq7::kFlagOn;
    record.tabINPNazev[5] = "Dve\u0159e";
    record.tabINPZap[5] = "otev\u0159eno";
    record.tabINPVyp[5] = "zav\u0159eno";
    record.tabINPLH[5] = "Dve\u0159e otev\u0159eny";
    record.tabINPLHEvent[5] = rq7::kFlagOn;
    record.tabOUTNazev[7] = "Svetlo";
    record.tabOUTZap[7] = "ON";
    record.tabOUTVyp[7] = "OFF";
    record.tabOUTimpuls[7] = "BLIK";
    record.tabOUTimpulsLEN[7] = "10";
    window.applyRecord(record);
    window.show();
    QApplication::processEvents();

    rq7::ui::RowDialogs& dialogs = window.rowDialogs();
    bool ok = shoot([&] { dialogs.EditTC(3); }, *dir, QStringLiteral("TelCislo.png"));
    ok = shoot([&] { dialogs.EditINP(5); }, *dir, QStringLiteral("Vstup.png")) && ok;
    ok = shoot([&] { dialogs.EditOUT(7); }, *dir, QStringLiteral("Vystup.png")) && ok;
    return ok ? 0 : 1;
}
