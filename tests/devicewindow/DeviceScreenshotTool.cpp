// Pictures of the device commands at work against the simulated device: the
// main window after activation, the status window with its progress bar in
// the middle of a load (alone and as the screen shows it over the main
// window). Run under xvfb-run; QT_SCALE_FACTOR=2 for 200 %.
// usage: devicewindow_screenshot OUTPUT_DIR

#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"
#include "ui/dialogs/Info.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/DeviceCommands.h"
#include "ui/main/Hlavni.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

class SilentPrompter : public rq7::Prompter {
public:
    rq7::Answer ask(const rq7::Message& message) override {
        std::printf("message %s: %s\n", message.key.c_str(), message.text.c_str());
        return message.defaultAnswer();
    }
};

class NoFileDialog : public rq7::FileDialog {
public:
    std::optional<std::string> chooseFileToOpen() override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave() override { return std::nullopt; }
};

bool save(const QPixmap& picture, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = picture.save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), picture.width(),
                picture.height());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: devicewindow_screenshot OUTPUT_DIR\n", stderr);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));

    // A programmed RQ7 with a 2048-byte EEPROM: 256 blocks to read.
    rq7::sim::DeviceConfig config;
    config.profile.memoryCode = 4;
    rq7::sim::SimulatedDevice device(config);
    rq7::SettingsRecord record;
    record.tabJmenoStanice = "Sklad Brno";
    auto built = std::make_unique<rq7::EepromImage>();
    rq7::WriteImage(record, *built);
    device.loadEeprom(rq7::sim::Bytes(built->data(), built->data() + rq7::SettingsSize(record)));
    rq7::sim::SimulatedLink link(device);

    const rq7::Texts texts;
    auto image = std::make_unique<rq7::EepromImage>();
    SilentPrompter prompter;
    NoFileDialog files;
    rq7::MainWindowPorts ports{prompter, files, texts, *image,
                               QApplication::applicationDirPath().toStdString()};
    // Pictures are taken from inside the load, at one of its waits.
    bool ok = true;
    bool taken = false;
    rq7::ui::Hlavni* shown = nullptr;
    ports.device.transport = &link;
    ports.device.waiter = &link;
    ports.device.setCancelProbe = [&](std::function<bool()> probe) {
        link.setCancelProbe([&, probe = std::move(probe)] {
            if (shown && !taken && device.counters().handled[4] >= 100) {
                taken = true;
                QApplication::processEvents();
                QWidget* info = shown->statusWindow();
                ok = save(info->grab(), dir, QStringLiteral("status-progress.png")) && ok;
                if (QScreen* screen = shown->screen())
                    ok = save(screen->grabWindow(0), dir, QStringLiteral("screen-progress.png")) &&
                         ok;
            }
            return probe();
        });
    };
    rq7::ui::Hlavni window(ports);
    window.show();
    QApplication::processEvents();

    window.deviceCommands().btDEA_Click();
    QApplication::processEvents();
    ok = save(window.grab(), dir, QStringLiteral("window-active.png")) && ok;

    shown = &window;
    window.deviceCommands().LoadFromDevice();
    QApplication::processEvents();
    ok = taken && ok;
    return ok ? 0 : 1;
}
