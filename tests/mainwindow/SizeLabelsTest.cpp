// The three settings-size labels as the user sees them while typing.

#include "tests/mainwindow/WindowHarness.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

TEST(SizeLabels, UsageAndFreeSpaceFollowTheTyping) {
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    struct Case {
        const char* name;
        const char* eepromSize; // as identification writes it
        int extra;              // characters typed beyond the empty settings
        const char* usage;
        const char* free;
        QColor colour;
    };
    for (const Case& c : {
             Case{"no device identified", "?", 0, "150 byte", "?", blue},
             Case{"no device, settings typed", "?", 40, "190 byte", "?", blue},
             Case{"settings larger than the EEPROM", "  1024 byte", 880, "1030 byte", "-6 byte",
                  red},
             Case{"settings filling the EEPROM", "  1024 byte", 874, "1024 byte", "0 byte", blue},
             Case{"plenty of room", "  2048 byte", 10, "160 byte", "1888 byte", blue},
         }) {
        WindowHarness h;
        h.label("lblInfoPamSize")->setText(c.eepromSize);
        // Whole input names by the program, the rest typed by the user.
        SettingsRecord record;
        int left = c.extra;
        for (int row = 0; row < kRowCount && left > 100; ++row, left -= 100)
            record.tabINPNazev[row] = std::string(100, 'A');
        h.window().applyRecord(record);
        h.type("tabJmenoStanice", std::string(static_cast<std::size_t>(left), 'x'));

        EXPECT_EQ(h.label("lblInfoPamUsage")->text().toStdString(), c.usage) << "case: " << c.name;
        EXPECT_EQ(h.label("lblInfoPamFree")->text().toStdString(), c.free) << "case: " << c.name;
        EXPECT_EQ(h.label("lblInfoPamFree")->palette().color(QPalette::WindowText), c.colour)
            << "case: " << c.name;
        EXPECT_EQ(h.window().usageCaption(), c.usage) << "case: " << c.name;
    }
}

} // namespace
} // namespace rq7::test
