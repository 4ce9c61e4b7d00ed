// The entries of tabPort and what a refresh of them keeps.

#include "ui/main/PortList.h"

#include "device/qt/SystemPorts.h"
#include "tests/devicewindow/DeviceWindowHarness.h"
#include "ui/main/DeviceCommands.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Strings = std::vector<std::string>;

std::vector<std::string> items(const QComboBox* list) {
    std::vector<std::string> result;
    for (int i = 0; i < list->count(); ++i)
        result.push_back(list->itemText(i).toStdString());
    return result;
}

std::vector<std::string> names(const std::vector<device::PortEntry>& entries) {
    std::vector<std::string> result;
    for (const device::PortEntry& entry : entries)
        result.push_back(entry.name);
    return result;
}

std::vector<device::PortEntry> entriesNamed(const Strings& names) {
    std::vector<device::PortEntry> entries;
    for (const std::string& name : names)
        entries.push_back({name, "", "", "", ""});
    return entries;
}

device::SystemPort port(std::string path, std::string byId = {}) {
    return {std::move(path), std::move(byId), "", "", ""};
}

// A USB adapter as the system would report it.
const device::SystemPort kAdapter = {
    "/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
    "FT232R USB UART", "FTDI", "A50285BI"};

TEST(PortList, ComPortsFirstThenTheSystemsOthersByStableName) {
    struct Case {
        const char* name;
        std::vector<device::SystemPort> system;
        Strings entries;
    };
    const Strings com = {"COM 1", "COM 2", "COM 3", "COM 4"};
    const auto with = [&](Strings more) {
        Strings all = com;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const Case cases[] = {
        {"nothing reported", {}, com},
        {"the four COM ports themselves are not repeated",
         {port("/dev/ttyS0"), port("/dev/ttyS1"), port("/dev/ttyS2"), port("/dev/ttyS3")},
         com},
        {"adapters sorted, by-id names preferred",
         {port("/dev/ttyUSB1"), port("/dev/ttyACM0"), port("/dev/ttyS0"), kAdapter},
         with({"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "/dev/ttyACM0",
               "/dev/ttyUSB1"})},
        {"a fifth serial port and duplicates",
         {port("/dev/ttyS4"), port("/dev/ttyS4"), port("")},
         with({"/dev/ttyS4"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names(device::PortEntries(c.system)), c.entries) << "case: " << c.name;

    const std::vector<device::PortEntry> entries = device::PortEntries({kAdapter});
    EXPECT_EQ(entries[0].details(), "/dev/ttyS0") << "COM 1 names its device";
    EXPECT_EQ(entries[4].details(), "/dev/ttyUSB0: FT232R USB UART, FTDI, A50285BI");
}

TEST(PortList, TheListShowsDevicesAndTheLastPortThatWorkedComesBack) {
    DevicePorts ports;
    ports.systemPorts = [] { return std::vector<device::SystemPort>{kAdapter}; };
    MemoryStore saved;
    saved.values["Options/LastPort"] = kAdapter.byId;
    DeviceWindowHarness h(ports, saved);
    auto* list = qobject_cast<QComboBox*>(h.control("tabPort"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(items(list), names(device::PortEntries({kAdapter})));
    EXPECT_EQ(h.text("tabPort"), kAdapter.byId);
    EXPECT_EQ(list->itemData(4, Qt::ToolTipRole).toString().toStdString(),
              device::PortEntries({kAdapter})[4].details());
}

TEST(PortList, AComPortNotOnThisComputerSaysSoAndWhetherAnAdapterIs) {
    const Texts texts;
    for (const bool adapter : {true, false}) {
        DevicePorts ports;
        ports.systemPorts = [adapter] {
            std::vector<device::SystemPort> system{port("/dev/ttyS0")};
            if (adapter)
                system.push_back(kAdapter);
            return system;
        };
        DeviceWindowHarness h(ports);
        auto* list = qobject_cast<QComboBox*>(h.control("tabPort"));
        ASSERT_NE(list, nullptr);
        const auto tip = [&](int item) {
            return list->itemData(item, Qt::ToolTipRole).toString().toStdString();
        };
        EXPECT_EQ(tip(0), "/dev/ttyS0") << "case: adapter " << adapter;
        EXPECT_EQ(tip(1), "/dev/ttyS1: " + texts.get("strPortAbsent") +
                              (adapter ? "" : ". " + texts.get("msg073")))
            << "case: adapter " << adapter;
    }
}

TEST(PortList, AnActivatedPortIsRememberedAndAFailedOneIsNot) {
    DeviceWindowHarness h;
    h.typePort("/dev/rq7-sim");
    h.click("btDEA");
    ASSERT_EQ(h.text("btDEA"), "&Deaktivovat");
    EXPECT_EQ(h.store.values["Options/LastPort"], "/dev/rq7-sim");

    DeviceWindowHarness failing;
    failing.link().setOpenFailure("busy");
    failing.typePort("COM 2");
    failing.click("btDEA");
    EXPECT_EQ(failing.store.values.count("Options/LastPort"), 0u);
}

TEST(PortList, TheWindowStartsAtCom1AndARefreshKeepsTheText) {
    DeviceWindowHarness h;
    auto* list = qobject_cast<QComboBox*>(h.control("tabPort"));
    ASSERT_NE(list, nullptr);
    const Strings shown = items(list);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(Strings(shown.begin(), shown.begin() + 4),
              (Strings{"COM 1", "COM 2", "COM 3", "COM 4"}));
    EXPECT_EQ(shown, names(device::PortEntries(device::SystemSerialPorts())));
    EXPECT_EQ(h.text("tabPort"), "COM 1");

    struct Case {
        const char* name;
        Strings entries;
        std::string typed;
    };
    const Case cases[] = {
        {"a typed path survives new entries", {"COM 1", "COM 2", "/dev/ttyUSB0"}, "/dev/pts/7"},
        {"a selected entry stays selected", {"COM 1", "COM 3", "/dev/ttyACM0"}, "COM 3"},
    };
    for (const Case& c : cases) {
        h.typePort(c.typed);
        ui::SetPortEntries(list, entriesNamed(c.entries));
        EXPECT_EQ(items(list), c.entries) << "case: " << c.name;
        EXPECT_EQ(h.text("tabPort"), c.typed) << "case: " << c.name;
        EXPECT_EQ(h.window().deviceCommands().portName(), c.typed) << "case: " << c.name;
    }

    // Opening the list scans the system's ports again.
    ui::SetPortEntries(list, entriesNamed({"COM 1"}));
    QTest::keyClick(list->lineEdit(), Qt::Key_F4);
    list->hidePopup();
    EXPECT_EQ(items(list), names(device::PortEntries(device::SystemSerialPorts())));
}

} // namespace
} // namespace rq7::test
