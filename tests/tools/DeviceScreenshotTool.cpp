// Pictures of the device commands at work against the simulated device: the
// main window after activation, the status window with its progress bar in
// the middle of a load (alone and as the screen shows it over the main
// window), the opened port list with a USB adapter (a test double) and the
// status window with the hint of a device that does not answer, and the
// series dialog part-way through a table. Run under
// xvfb-run; QT_SCALE_FACTOR=2 for 200 %.
// usage: devicewindow_screenshot OUTPUT_DIR

#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/Screenshots.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/dialogs/Info.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/DeviceCommands.h"
#include "ui/main/Hlavni.h"
#include "ui/main/SeriesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <memory>

using rq7::test::saveScreen;
using rq7::test::saveScreenshot;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto shots =
        rq7::test::screenshotDir(argc, argv, "usage: devicewindow_screenshot OUTPUT_DIR\n");
    if (!shots)
        return 2;
    const QDir& dir = *shots;

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
    // Every message is answered with its default and printed.
    rq7::test::ScriptedPrompter prompter;
    prompter.onAsk = [](const rq7::Message& message) {
        std::printf("message %s: %s\n", message.key.c_str(), message.text.c_str());
    };
    rq7::test::FakeFileDialog files;
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
                ok = saveScreenshot(shown->statusWindow(), dir,
                                    QStringLiteral("status-progress.png")) &&
                     ok;
                ok = saveScreen(shown, dir, QStringLiteral("screen-progress.png")) && ok;
            }
            return probe();
        });
    };
    rq7::ui::Hlavni window(ports);
    window.show();
    QApplication::processEvents();

    window.deviceCommands().btDEA_Click();
    QApplication::processEvents();
    ok = saveScreenshot(&window, dir, QStringLiteral("window-active.png")) && ok;

    shown = &window;
    window.deviceCommands().LoadFromDevice();
    QApplication::processEvents();
    ok = taken && ok;
    window.deviceCommands().Deactivate();

    // The series dialog after two of four rows: one written, one failed.
    {
        QFile table(dir.filePath(QStringLiteral("series.csv")));
        table.open(QIODevice::WriteOnly);
        table.write("id;tabJmenoStanice;tabPIN;tabTC(0)\nA-01;Chata 7;1111;+420601111111\n"
                    "A-02;Chata 8;2222;\nA-03;Chalupa 9;3333;602333333\nA-04;Sklad 4;;\n");
        table.close();
        window.deviceCommands().OpenSeries();
        rq7::ui::SeriesDialog* series = window.deviceCommands().seriesDialog();
        ok = series->openTable(table.fileName().toStdString()) && ok;
        series->programNext();
        rq7::sim::FaultRates faults;
        faults.badWrite = 1;
        device.setFaultRates(faults);
        series->programNext();
        device.setFaultRates({});
        QApplication::processEvents();
        ok = saveScreenshot(series, dir, QStringLiteral("series-dialog.png")) && ok;
        ok = saveScreen(&window, dir, QStringLiteral("screen-series.png")) && ok;
        series->accept();
    }
    window.hide();

    // The port list with a USB adapter as the system would report it.
    rq7::MainWindowPorts listPorts = ports;
    listPorts.device = {};
    listPorts.device.systemPorts = [] {
        return std::vector<rq7::device::SystemPort>{
            {"/dev/ttyS0", "", "", "", ""},
            {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
             "FT232R USB UART", "FTDI", "A50285BI"}};
    };
    {
        rq7::ui::Hlavni listWindow(listPorts);
        listWindow.show();
        QApplication::processEvents();
        auto* list = listWindow.findChild<QComboBox*>(QStringLiteral("tabPort"));
        list->showPopup();
        QApplication::processEvents();
        ok = saveScreen(&listWindow, dir, QStringLiteral("screen-port-list.png")) && ok;
        list->hidePopup();
    }

    // A device whose key is never pressed: the hint after ten seconds.
    rq7::sim::DeviceConfig silentConfig;
    silentConfig.pressAfter = rq7::sim::Micros(3'600'000'000LL);
    rq7::sim::SimulatedDevice silent(silentConfig);
    rq7::sim::SimulatedLink silentLink(silent);
    rq7::MainWindowPorts silentPorts = ports;
    silentPorts.device = {};
    silentPorts.device.transport = &silentLink;
    silentPorts.device.waiter = &silentLink;
    rq7::ui::Hlavni* silentWindow = nullptr;
    bool hinted = false;
    silentPorts.device.setCancelProbe = [&](std::function<bool()> probe) {
        silentLink.setCancelProbe([&, probe = std::move(probe)] {
            if (silentWindow && !hinted && silentLink.now() >= rq7::device::Millis{11500}) {
                hinted = true;
                QApplication::processEvents();
                ok = saveScreenshot(silentWindow->statusWindow(), dir,
                                    QStringLiteral("status-hint.png")) &&
                     ok;
                return true; // Storno
            }
            return probe();
        });
    };
    rq7::ui::Hlavni hintWindow(silentPorts);
    hintWindow.show();
    QApplication::processEvents();
    silentWindow = &hintWindow;
    hintWindow.deviceCommands().btDEA_Click();
    ok = hinted && ok;
    return ok ? 0 : 1;
}
