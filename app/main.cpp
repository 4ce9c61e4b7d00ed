// rq7-init: the configuration program. Wires the real ports into the main
// window and runs the event loop.

#include "settings/EepromImage.h"
#include "ui/dialogs/MessageBoxPrompter.h"
#include "ui/dialogs/QtFileDialog.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/Hlavni.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

bool hasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fputs("rq7-init is a desktop program and there is no display here (neither DISPLAY\n"
                   "nor WAYLAND_DISPLAY is set). Run it from a desktop session, or give it a\n"
                   "virtual display:\n"
                   "    xvfb-run -a rq7-init\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RQ7 Init"));

    // The language start-up joins here; until then every text is the
    // built-in Czech one.
    const rq7::Texts texts;
    auto image = std::make_unique<rq7::EepromImage>(); // 64 KiB: not on the stack
    rq7::ui::MessageBoxPrompter prompter;
    rq7::ui::QtFileDialog fileDialog(nullptr);
    const rq7::MainWindowPorts ports{prompter, fileDialog, texts, *image,
                                     QDir(QApplication::applicationDirPath()).path().toStdString()};
    rq7::ui::Hlavni window(ports);
    prompter.setOwner(&window);
    fileDialog.setOwner(&window);
    window.show();
    return QApplication::exec();
}
