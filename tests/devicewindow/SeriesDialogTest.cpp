// "Program a series…" over the simulated device: the window's settings as
// the base, each row by the device job on the window's port, a failed row
// retried, a row skipped.

#include "ui/main/SeriesDialog.h"

#include "tests/devicewindow/DeviceWindowHarness.h"
#include "tests/support/TempDir.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using ui::SeriesRowState;

TEST(SeriesDialog, ProgramsRetriesAndSkipsRowsOverTheWindowsSettings) {
    DeviceWindowHarness h;
    SettingsRecord base;
    base.tabJmenoStanice = "Base";
    base.tabTC[2] = "+420607000000";
    h.window().applyRecord(base);
    EXPECT_TRUE(h.enabled("btSerie")) << "a device can be activated";
    h.click("btSerie");
    ui::SeriesDialog* dialog = h.window().deviceCommands().seriesDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());

    TempDir dir;
    EXPECT_FALSE(dialog->openTable(dir.write("bad.csv", "tabJmenoStanice;tabPIN\nA;12x4\n")));
    ASSERT_FALSE(h.prompter.asked.empty());
    EXPECT_EQ(h.prompter.asked.back().key, "msg121");
    EXPECT_NE(h.prompter.asked.back().text.find("row 2, tabPIN: msg045"), std::string::npos);
    EXPECT_EQ(dialog->rowCount(), 0);
    EXPECT_EQ(h.device().counters().handled[1], 0u) << "no device touched";

    ASSERT_TRUE(
        dialog->openTable(dir.write("t.csv", "tabJmenoStanice;tabPIN\nA;1111\nB;2222\nC;\n")));
    ASSERT_EQ(dialog->rowCount(), 3);
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lstSerie"));
    const Texts texts;
    const auto status = [&](int row) { return list->topLevelItem(row)->text(3).toStdString(); };
    EXPECT_EQ(status(0), texts.get("strSerieWaiting"));

    dialog->programNext();
    SettingsRecord a = base;
    a.tabJmenoStanice = "A";
    a.tabPIN = "1111";
    EXPECT_EQ(dialog->state(0), SeriesRowState::Written);
    EXPECT_EQ(sim::Bytes(h.device().eeprom().begin(),
                         h.device().eeprom().begin() + static_cast<long>(ImageBytes(a).size())),
              ImageBytes(a));
    EXPECT_EQ(h.window().connectionState(), device::ConnectionState::Neaktivni)
        << "the job deactivates the device again";

    sim::FaultRates faults;
    faults.badWrite = 1;
    h.device().setFaultRates(faults);
    dialog->programNext(); // B
    EXPECT_EQ(dialog->state(1), SeriesRowState::Failed);
    EXPECT_EQ(status(1), texts.get("strSerieFailed") + "msg021 " + texts.get("msg021") + "\n" +
                             texts.get("msg102"));
    h.device().setFaultRates({});
    dialog->retry();
    EXPECT_EQ(dialog->state(1), SeriesRowState::Written);
    SettingsRecord b = base;
    b.tabJmenoStanice = "B";
    b.tabPIN = "2222";
    EXPECT_EQ(sim::Bytes(h.device().eeprom().begin(),
                         h.device().eeprom().begin() + static_cast<long>(ImageBytes(b).size())),
              ImageBytes(b));

    dialog->skip(); // C, selected after B was written
    EXPECT_EQ(dialog->state(2), SeriesRowState::Skipped);
    EXPECT_EQ(status(2), texts.get("strSerieSkipped"));
}

} // namespace
} // namespace rq7::test
