// The main window against rq7-sim on a pseudo-terminal, through the real
// serial port and the event-loop wait: activate, save to the device, and
// load it back into a fresh window.

#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "settings/SettingsFields.h"
#include "tests/devicewindow/DeviceWindowHarness.h"
#include "tests/simulator/SimProcess.h"
#include "tests/support/SampleRecords.h"

#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Keys = std::vector<std::string>;

// The window's real ports, as the program wires them.
struct SerialPorts {
    SerialPorts() {
        ports.transport = &transport;
        ports.waiter = &waiter;
        ports.setCancelProbe = [this](std::function<bool()> probe) {
            waiter.setCancelProbe(std::move(probe));
        };
        ports.wake = [this] { waiter.wake(); };
    }
    device::SerialTransport transport;
    device::EventLoopWaiter waiter{transport};
    DevicePorts ports;
};

void activate(DeviceWindowHarness& h, const std::string& pty) {
    h.typePort(pty);
    h.click("btDEA");
    ASSERT_EQ(h.prompter.keys(), (Keys{"msg026"}));
    ASSERT_EQ(h.text("tabDeAktivNapis"), "Aktivní");
    EXPECT_EQ(h.text("lblInfoProdukt"), "RQ7");
    EXPECT_EQ(h.text("lblInfoPamSize"), "  2048 byte");
    h.prompter.asked.clear();
}

TEST(DeviceWindowOverPty, SaveToTheDeviceAndLoadIntoAFreshWindow) {
    sim::testing::SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.start({"--memory", "4"}, error)) << error;

    const SettingsRecord record = Canonical(everyFieldSet());
    for (const SettingsField& field : settingsFields()) {
        if (field.kind() == FieldKind::CheckBox || field.name() == "tabTCcentra")
            continue;
        EXPECT_NE(field.get(record), field.get(SettingsRecord{}))
            << "the record leaves " << field.name() << " at its initial value";
    }
    {
        SerialPorts serial;
        DeviceWindowHarness h(serial.ports);
        activate(h, sim.ptyPath());
        h.window().applyRecord(record);
        ASSERT_EQ(DifferingFields(h.window().record(), record), "");
        h.click("btEEPROMSave");
        EXPECT_EQ(h.prompter.keys(), (Keys{"msg023"})) << sim.errorOutput();
        h.prompter.asked.clear();
        h.click("btDEA");
        EXPECT_TRUE(h.prompter.asked.empty());
        EXPECT_EQ(h.text("tabDeAktivNapis"), "Neaktivní");
        EXPECT_FALSE(serial.transport.isOpen());
    }
    {
        SerialPorts serial;
        DeviceWindowHarness h(serial.ports);
        activate(h, sim.ptyPath());
        h.click("btEEPROMLoad");
        EXPECT_EQ(h.prompter.keys(), (Keys{"msg014"})) << sim.errorOutput();
        EXPECT_EQ(DifferingFields(h.window().record(), record), "");
        EXPECT_EQ(h.window().record(), record);
        h.prompter.asked.clear();
        h.prompter.answers = {Answer::Yes};
        h.click("btKonec");
        EXPECT_EQ(h.prompter.keys(), (Keys{"msg038"}));
        EXPECT_FALSE(serial.transport.isOpen()) << "deactivated on the way out";
    }
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
}

TEST(DeviceWindowOverPty, StornoWhileTheDeviceIsAwaited) {
    sim::testing::SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.start({"--press-after", "3600"}, error)) << error;
    SerialPorts serial;
    DeviceWindowHarness h(serial.ports);
    h.typePort(sim.ptyPath());
    // Storno pressed while the real wait sleeps in its event loop.
    QWidget* info = h.statusWindow();
    h.prompter.onAsk = [&](const Message& message) {
        if (message.key != "msg026")
            return;
        QTimer::singleShot(50, info, [info] {
            if (auto* storno = info->findChild<QPushButton*>(QStringLiteral("Storno")))
                storno->click();
        });
    };
    h.click("btDEA");
    EXPECT_EQ(h.prompter.keys(), (Keys{"msg026", "msg032"}));
    EXPECT_EQ(h.text("tabDeAktivNapis"), "Neaktivní");
    EXPECT_FALSE(serial.transport.isOpen());
    EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
}

} // namespace
} // namespace rq7::test
