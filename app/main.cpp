// rq7-init: the configuration program. Creates the program's one language
// object, wires the real ports into the main window and runs the event loop.

#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "languages/clsLanguage.h"
#include "settings/EepromImage.h"
#include "ui/dialogs/MessageBoxPrompter.h"
#include "ui/dialogs/QtFileDialog.h"
#include "ui/language/LanguageStartup.h"
#include "ui/language/QtSettingsStore.h"
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
    // The language object comes first and stays to the end: every window
    // and every message reads its texts through it.
    rq7::clsLanguage language;
    const rq7::Texts texts(&language);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RQ7 Init"));
    const std::filesystem::path programDir =
        QDir(QApplication::applicationDirPath()).path().toStdString();

    rq7::ui::QtSettingsStore store;
    rq7::ui::LanguageSession session{language, texts, store, programDir};
    auto image = std::make_unique<rq7::EepromImage>(); // 64 KiB: not on the stack
    rq7::ui::MessageBoxPrompter prompter;
    rq7::ui::QtFileDialog fileDialog(nullptr);
    rq7::MainWindowPorts ports{prompter, fileDialog, texts, *image, programDir};
    ports.language = rq7::ui::languageHooks(session);
    // The serial port and the wait for the device's replies; Storno wakes
    // the wait at once.
    rq7::device::SerialTransport serialPort;
    rq7::device::EventLoopWaiter waiter;
    ports.device.transport = &serialPort;
    ports.device.waiter = &waiter;
    ports.device.setCancelProbe = [&waiter](std::function<bool()> probe) {
        waiter.setCancelProbe(std::move(probe));
    };
    ports.device.wake = [&waiter] { waiter.wake(); };
    rq7::ui::Hlavni window(ports);
    prompter.setOwner(&window);
    fileDialog.setOwner(&window);
    window.show();
    return QApplication::exec();
}
