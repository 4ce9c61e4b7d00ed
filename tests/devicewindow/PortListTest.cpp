// The entries of tabPort and what a refresh of them keeps.

#include "ui/main/PortList.h"

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

TEST(PortList, ComPortsFirstThenTheSystemsOthersByPath) {
    struct Case {
        const char* name;
        Strings system;
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
         {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"},
         com},
        {"USB and ACM adapters, sorted",
         {"/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0"},
         with({"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyUSB1"})},
        {"a fifth serial port and duplicates",
         {"/dev/ttyS4", "/dev/ttyS4", ""},
         with({"/dev/ttyS4"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::PortEntries(c.system), c.entries) << "case: " << c.name;
}

TEST(PortList, TheWindowStartsAtCom1AndARefreshKeepsTheText) {
    DeviceWindowHarness h;
    auto* list = qobject_cast<QComboBox*>(h.control("tabPort"));
    ASSERT_NE(list, nullptr);
    const Strings shown = items(list);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(Strings(shown.begin(), shown.begin() + 4),
              (Strings{"COM 1", "COM 2", "COM 3", "COM 4"}));
    EXPECT_EQ(shown, ui::PortEntries(ui::SystemSerialPorts()));
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
        ui::SetPortEntries(list, c.entries);
        EXPECT_EQ(items(list), c.entries) << "case: " << c.name;
        EXPECT_EQ(h.text("tabPort"), c.typed) << "case: " << c.name;
        EXPECT_EQ(h.window().deviceCommands().portName(), c.typed) << "case: " << c.name;
    }

    // Opening the list scans the system's ports again.
    ui::SetPortEntries(list, {"COM 1"});
    QTest::keyClick(list->lineEdit(), Qt::Key_F4);
    list->hidePopup();
    EXPECT_EQ(items(list), ui::PortEntries(ui::SystemSerialPorts()));
}

} // namespace
} // namespace rq7::test
