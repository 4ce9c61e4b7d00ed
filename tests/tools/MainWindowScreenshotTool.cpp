// Draws the main window, one picture per page, for looking at the layout
// at different scale factors (run under xvfb-run; QT_SCALE_FACTOR=2 for 200 %).
// usage: mainwindow_screenshot OUTPUT_DIR

#include "settings/EepromImage.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/Screenshots.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/dialogs/Info.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/Hlavni.h"

#include <QApplication>
#include <QDir>
#include <QScrollArea>
#include <QTabWidget>
#include <cstdio>
#include <memory>

using rq7::test::saveScreenshot;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto shots =
        rq7::test::screenshotDir(argc, argv, "usage: mainwindow_screenshot OUTPUT_DIR\n");
    if (!shots)
        return 2;
    const QDir& dir = *shots;

    const rq7::Texts texts;
    auto image = std::make_unique<rq7::EepromImage>();
    rq7::test::ScriptedPrompter prompter;
    rq7::test::FakeFileDialog files;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
    rq7::MainWindowPorts ports{prompter, files, texts, *image};
#pragma GCC diagnostic pop
    ports.programDir = QApplication::applicationDirPath().toStdString();
    rq7::ui::Hlavni window(ports);
    window.show();
    QApplication::processEvents();

    bool ok = true;
    if (auto* scroll = window.findChild<QScrollArea*>()) {
        QWidget* content = scroll->widget();
        std::printf("content %dx%d, minimum %dx%d, viewport %dx%d\n", content->width(),
                    content->height(), content->minimumSizeHint().width(),
                    content->minimumSizeHint().height(), scroll->viewport()->width(),
                    scroll->viewport()->height());
    }
    for (int page = 0; page < window.tabList()->count(); ++page) {
        window.showPage(page);
        QApplication::processEvents();
        ok = saveScreenshot(&window, dir, QStringLiteral("page%1.png").arg(page)) && ok;
        if (auto* scroll = window.findChild<QScrollArea*>())
            ok = saveScreenshot(scroll->widget(), dir,
                                QStringLiteral("page%1-content.png").arg(page)) &&
                 ok;
    }

    // What the display itself shows (the window as placed on the screen).
    window.showPage(0);
    QApplication::processEvents();
    ok = rq7::test::saveScreen(&window, dir, QStringLiteral("screen.png")) && ok;

    rq7::ui::Info info(texts, &window);
    info.showStatus(texts.get("msg048"));
    info.progress(3, 10);
    QApplication::processEvents();
    ok = saveScreenshot(&info, dir, QStringLiteral("info.png")) && ok;
    info.hideStatus();
    return ok ? 0 : 1;
}
