// btEEPROMLoad and btEEPROMSave against the simulated device: every outcome
// with its message, the size check, the output cross rule, read-back
// verification and Storno in the middle of a transfer.

#include "device/Block.h"
#include "operations/Backups.h"
#include "settings/SettingsSize.h"
#include "tests/devicewindow/DeviceWindowHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Keys = std::vector<std::string>;

SettingsRecord sampleRecord() {
    SettingsRecord r;
    r.tabJmenoStanice = "Sklad Brno";
    r.tabPIN = "1234";
    r.tabDobaPlatnostiSMS = "7";
    r.rtNotAuthorized = "nepovoleny pristup";
    r.rtReCall = "jsem tu";
    r.eeExistTime = "60";
    r.tabKOMUNIKFormat = kFormatPulse;
    r.tabRFRWait = "10";
    r.tabTC[0] = "+420603111222";
    r.tabTCPrijem[0] = kFlagOn;
    r.tabTC[3] = "+420777123456";
    r.tabTCUdalost[3] = kFlagOn;
    r.tabINPNazev[1] = "dvere";
    r.tabINPZap[1] = "otevreno";
    r.tabINPVyp[1] = "zavreno";
    r.tabINPLHEvent[1] = kFlagOn;
    r.tabOUTNazev[0] = "svetlo";
    r.tabOUTZap[0] = "rozsvit";
    r.tabOUTVyp[0] = "zhasni";
    r.tabOUTNazev[2] = "topeni";
    r.tabOUTZap[2] = "rozsvit"; // state names of different outputs may repeat
    r.tabOUTVyp[2] = "vypni";
    r.tabOUTimpuls[2] = "impuls";
    r.tabOUTimpulsLEN[2] = "30";
    return r;
}

// A record of exactly `size` settings bytes: input texts filled up.
SettingsRecord recordOfSize(int size) {
    SettingsRecord r;
    int need = size - SettingsSize(r);
    for (int row = 0; row < kRowCount && need > 0; ++row)
        for (Rows<std::string>* texts : {&r.tabINPNazev, &r.tabINPZap, &r.tabINPVyp}) {
            const int n = std::min(need, 100);
            (*texts)[static_cast<std::size_t>(row)] =
                std::string(static_cast<std::size_t>(n), static_cast<char>('a' + row));
            need -= n;
        }
    EXPECT_EQ(SettingsSize(r), size);
    return r;
}

// An active window on a device holding `image` (blank when empty).
struct ActiveWindow {
    explicit ActiveWindow(const sim::Bytes& image = {}, sim::DeviceConfig config = {},
                          bool backups = false)
        : h(config, backups) {
        if (!image.empty())
            h.device().loadEeprom(image);
        h.click("btDEA");
        EXPECT_EQ(h.text("tabDeAktivNapis"), "Aktivní");
        h.prompter.asked.clear();
        h.device().setJournalEnabled(true);
    }
    unsigned handled(int command) {
        return h.device().counters().handled[static_cast<std::size_t>(command)];
    }
    DeviceWindowHarness h;
};

sim::Bytes eepromStart(DeviceWindowHarness& h, std::size_t length) {
    const sim::Bytes& all = h.device().eeprom();
    return sim::Bytes(all.begin(), all.begin() + static_cast<long>(length));
}

TEST(DeviceWindowLoad, FromAProgrammedDeviceFillsTheWindow) {
    const SettingsRecord expected = Canonical(sampleRecord());
    ActiveWindow a(ImageBytes(sampleRecord()));
    a.h.window().showPage(2);
    a.h.click("btEEPROMLoad");
    ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg014"}));
    EXPECT_EQ(a.h.prompter.asked[0].text, "Data byla úspěšně načtena z EEPROM.");
    EXPECT_EQ(a.h.prompter.asked[0].icon, Icon::Information);
    EXPECT_EQ(DifferingFields(a.h.window().record(), expected), "");
    EXPECT_EQ(a.h.window().tabList()->currentIndex(), 0) << "page 0 comes to the front";
    EXPECT_EQ(a.h.text("lblInfoPamUsage"), std::to_string(SettingsSize(expected)) + " byte");
    EXPECT_EQ(a.handled(4), static_cast<unsigned>(device::BlocksFor(
                                static_cast<long>(ImageBytes(sampleRecord()).size()))))
        << "the image's blocks, not the 1024-byte EEPROM's";
    EXPECT_EQ(a.handled(5), 0u);
    EXPECT_FALSE(a.h.statusWindow()->isVisible());
    EXPECT_EQ(a.h.text("tabDeAktivNapis"), "Aktivní") << "the device stays active";
}

// Changed settings are asked about before the device is read, and before
// the question about the still active device on the way out.
TEST(DeviceWindowLoad, ChangedSettingsAreAskedAboutFirst) {
    ActiveWindow a(ImageBytes(sampleRecord()));
    SettingsRecord edited;
    edited.tabPIN = "4321";
    a.h.window().applyRecord(edited);
    ASSERT_TRUE(a.h.window().isWindowModified());

    a.h.prompter.answers = {Answer::Cancel};
    a.h.click("btEEPROMLoad");
    EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg090"}));
    EXPECT_EQ(a.handled(4), 0u) << "Cancel reads nothing";
    EXPECT_EQ(a.h.window().record(), edited);

    a.h.prompter.clear();
    a.h.prompter.answers = {Answer::No, Answer::Ok};
    a.h.click("btEEPROMLoad");
    EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg090", "msg014"}));
    EXPECT_EQ(a.h.window().windowTitle().toStdString().substr(0, 6), "RQ7[*]");
    EXPECT_FALSE(a.h.window().isWindowModified());

    a.h.window().applyRecord(edited);
    a.h.prompter.clear();
    a.h.prompter.answers = {Answer::No, Answer::No};
    a.h.click("btKonec");
    EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg090", "msg038"}));
    EXPECT_FALSE(a.h.window().isVisible());
}

TEST(DeviceWindowLoad, FromAnUnprogrammedDeviceLeavesTheWindowAsItWas) {
    ActiveWindow a; // blank EEPROM
    a.h.window().applyRecord(sampleRecord());
    const SettingsRecord before = a.h.window().record();
    a.h.prompter.answers = {Answer::No}; // discard the changes
    a.h.click("btEEPROMLoad");
    ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg090", "msg015"}));
    EXPECT_EQ(a.h.prompter.asked[1].text,
              "Data nebyla úspěšně načtena z EEPROM. EEPROM zřejmě není naprogramována.");
    EXPECT_EQ(a.h.prompter.asked[1].icon, Icon::Exclamation);
    EXPECT_EQ(DifferingFields(a.h.window().record(), before), "");
}

TEST(DeviceWindowLoad, StornoInTheMiddleLeavesTheWindowAsItWas) {
    ActiveWindow a(ImageBytes(sampleRecord()));
    const SettingsRecord before = a.h.window().record();
    std::vector<int> progress; // the bar's value at each wait
    a.h.onWait = [&] {
        auto* bar = a.h.statusWindow()->findChild<QProgressBar*>(QStringLiteral("Progress"));
        if (bar && bar->isVisible())
            progress.push_back(bar->value());
    };
    a.h.pressStornoAtWait(20);
    a.h.click("btEEPROMLoad");
    EXPECT_EQ(a.h.stornoShownWith, "Načítám data z EEPROM do počítače.");
    ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg012"}));
    EXPECT_EQ(a.h.prompter.asked[0].text, "Načítání dat z EEPROM do počítače bylo stornováno.");
    EXPECT_EQ(a.h.prompter.asked[0].icon, Icon::Information);
    EXPECT_EQ(DifferingFields(a.h.window().record(), before), "");
    const unsigned imageBlocks = static_cast<unsigned>(
        device::BlocksFor(static_cast<long>(ImageBytes(sampleRecord()).size())));
    EXPECT_LT(a.handled(4), imageBlocks) << "the read stopped early";
    EXPECT_FALSE(a.h.statusWindow()->isVisible());
    // The progress bar counted the blocks up to the Storno.
    ASSERT_GE(progress.size(), 10u);
    // From the header on the bar counts towards the telephone block, never
    // towards the EEPROM's 128 blocks.
    auto* bar = a.h.statusWindow()->findChild<QProgressBar*>(QStringLiteral("Progress"));
    EXPECT_LE(bar->maximum(), static_cast<int>(imageBlocks));
    EXPECT_GT(bar->maximum(), 20);
    for (std::size_t i = 1; i < progress.size(); ++i)
        EXPECT_LE(progress[i - 1], progress[i]) << "at wait " << i;
    EXPECT_GT(progress.back(), 0);

    // The device stays usable: the next load runs to its end.
    a.h.prompter.asked.clear();
    a.h.click("btEEPROMLoad");
    EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg014"}));
    EXPECT_EQ(bar->maximum(), static_cast<int>(imageBlocks)) << "the image's blocks in the end";
}

TEST(DeviceWindowSave, WritesTheImageWithOrWithoutReadBack) {
    for (const bool verify : {true, false}) {
        const SettingsRecord record = Canonical(sampleRecord());
        ActiveWindow a;
        a.h.window().applyRecord(record);
        if (!verify)
            a.h.click("CheckWrite") /* unchecks */;
        a.h.click("btEEPROMSave");
        ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg023"})) << "case: verify " << verify;
        EXPECT_EQ(a.h.prompter.asked[0].text, "Data byla úspěšně uložena do EEPROM.");
        const sim::Bytes image = ImageBytes(record);
        EXPECT_EQ(eepromStart(a.h, image.size()), image) << "case: verify " << verify;
        const unsigned blocks =
            static_cast<unsigned>(device::BlocksFor(static_cast<long>(image.size()) + 1));
        EXPECT_EQ(a.handled(5), blocks + 2) << "case: verify " << verify;
        EXPECT_EQ(a.handled(4), verify ? blocks + 2 : 0u) << "case: verify " << verify;
        // Block 0 went out last.
        ASSERT_FALSE(a.h.device().journal().empty());
        const auto& last = a.h.device().journal().back();
        EXPECT_EQ(last.address, 0) << "case: verify " << verify;

        // A fresh window reads the same settings back from the device.
        a.h.window().applyRecord(SettingsRecord{});
        a.h.prompter.asked.clear();
        a.h.prompter.answers = {Answer::No};
        a.h.click("btEEPROMLoad");
        EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg090", "msg014"}));
        EXPECT_EQ(DifferingFields(a.h.window().record(), record), "") << "case: verify " << verify;
    }
}

TEST(DeviceWindowSave, SizeCheckAgainstTheEepromSize) {
    struct Case {
        int size;
        Keys keys;
    };
    for (const Case& c : {Case{1025, {"msg018"}}, Case{1024, {"msg023"}}}) {
        ActiveWindow a;
        a.h.window().applyRecord(recordOfSize(c.size));
        ASSERT_EQ(a.h.text("lblInfoPamUsage"), std::to_string(c.size) + " byte");
        a.h.click("btEEPROMSave");
        ASSERT_EQ(a.h.prompter.keys(), c.keys) << "case: " << c.size;
        if (c.size == 1025) {
            EXPECT_EQ(a.h.prompter.asked[0].text,
                      "Velikost dat v nastavení (1025 byte) je větší než je možno vložit do "
                      "EEPROM (  1024 byte).");
            EXPECT_EQ(a.h.prompter.asked[0].icon, Icon::Critical);
            EXPECT_EQ(a.handled(5), 0u) << "nothing is sent";
        } else {
            EXPECT_EQ(a.handled(5), 1024u / device::kBlockSize + 2);
        }
    }
}

TEST(DeviceWindowSave, OutputNamesClashShowsTheOutputsPageAndTheField) {
    struct Case {
        const char* name;
        int nameRow;  // the output named "rozsvit"
        int stateRow; // the output whose state-1 name is "rozsvit"
        const char* focus;
    };
    const Case cases[] = {
        {"a name equal to a later output's state name", 1, 4, "tabOUTNazev_1"},
        {"a state name equal to a later output's name", 4, 1, "tabOUTZap_1"},
    };
    for (const Case& c : cases) {
        SettingsRecord record;
        record.tabOUTNazev[static_cast<std::size_t>(c.nameRow)] = "rozsvit";
        record.tabOUTNazev[static_cast<std::size_t>(c.stateRow)] = "svetlo";
        record.tabOUTZap[static_cast<std::size_t>(c.stateRow)] = "rozsvit";
        ActiveWindow a;
        a.h.window().applyRecord(record);
        a.h.window().showPage(0);
        QTabWidget* pages = a.h.window().tabList();
        int pageWhenAsked = -1;
        // The box takes the activation away from the window, as a real one does.
        QWidget box;
        a.h.prompter.onAsk = [&](const Message&) {
            pageWhenAsked = pages->currentIndex();
            box.show();
            box.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
            box.hide();
        };
        a.h.click("btEEPROMSave");
        a.h.window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&a.h.window()));
        ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg041"})) << "case: " << c.name;
        EXPECT_EQ(a.h.prompter.asked[0].text,
                  "Názvy výstupů ani názvy stavů výstupů se nesmějí shodovat a nesmí být ani "
                  "předponou jiného názvu.")
            << "case: " << c.name;
        EXPECT_EQ(a.h.prompter.asked[0].icon, Icon::Exclamation) << "case: " << c.name;
        EXPECT_EQ(pageWhenAsked, 3) << "case: " << c.name;
        EXPECT_EQ(pages->currentIndex(), 3) << "case: " << c.name;
        EXPECT_EQ(a.h.focused(), c.focus) << "case: " << c.name;
        auto* edit = qobject_cast<QLineEdit*>(a.h.control(c.focus));
        ASSERT_NE(edit, nullptr) << "case: " << c.name;
        EXPECT_EQ(edit->selectedText(), "rozsvit") << "case: " << c.name;
        EXPECT_EQ(a.handled(5), 0u) << "case: " << c.name << ": nothing is sent";
    }
}

TEST(DeviceWindowSave, StornoInTheMiddleEndsInMsg021AndAnUnprogrammedDevice) {
    ActiveWindow a(ImageBytes(sampleRecord()));
    a.h.window().applyRecord(Canonical(sampleRecord()));
    a.h.pressStornoAtWait(8);
    a.h.click("btEEPROMSave");
    EXPECT_EQ(a.h.stornoShownWith, "Ukládám data z počítače do EEPROM.");
    ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg021"}));
    EXPECT_EQ(a.h.prompter.asked[0].text.rfind(
                  "Data nebyla úspěšně uložena do EEPROM. Došlo k chybě při ukládání bloku do "
                  "EEPROM.\n",
                  0),
              0u)
        << "a second line says what the device holds now";
    EXPECT_EQ(a.h.prompter.asked[0].icon, Icon::Critical);
    EXPECT_EQ(eepromStart(a.h, 8), sim::Bytes(8, 0)) << "block 0 stays zeroed";
    EXPECT_FALSE(a.h.statusWindow()->isVisible());

    // So a load now finds no programmed device.
    a.h.prompter.asked.clear();
    a.h.prompter.answers = {Answer::No};
    a.h.click("btEEPROMLoad");
    EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg090", "msg015"}));
}

TEST(DeviceWindowSave, CloseBoxWaitsForTheRunningTransfer) {
    for (const bool load : {true, false}) {
        ActiveWindow a(ImageBytes(sampleRecord()));
        a.h.window().applyRecord(Canonical(sampleRecord()));
        std::vector<bool> closed;
        a.h.onWait = [&] {
            if (closed.size() < 3)
                closed.push_back(a.h.window().close());
        };
        if (load)
            a.h.prompter.answers = {Answer::No}; // the changed settings are discarded
        a.h.click(load ? "btEEPROMLoad" : "btEEPROMSave");
        a.h.onWait = nullptr;
        EXPECT_EQ(closed, (std::vector<bool>{false, false, false})) << "case: load " << load;
        EXPECT_TRUE(a.h.window().isVisible()) << "case: load " << load;
        EXPECT_EQ(a.h.prompter.keys(), (load ? Keys{"msg090", "msg014"} : Keys{"msg023"}))
            << "case: load " << load;

        // Once the transfer has ended the close box works as always.
        a.h.prompter.asked.clear();
        a.h.prompter.answers = {Answer::No};
        EXPECT_TRUE(a.h.window().close()) << "case: load " << load;
        EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg038"})) << "case: load " << load;
    }
}

// A command started right after typing: the field's check that the click
// queued (or that of the field the keyboard left the focus in) runs first,
// and its rejection keeps the command from starting.
TEST(DeviceWindowSave, APendingRejectionStopsEveryCommandOnTheSettings) {
    struct Case {
        const char* button;
        bool mouse; // false: clicked from the keyboard, the focus stays in the field
    };
    for (const Case& c : {Case{"btFileSave", true}, Case{"btEEPROMSave", true},
                          Case{"btKonec", true}, Case{"btEEPROMSave", false}}) {
        const std::string name = std::string(c.button) + (c.mouse ? " (mouse)" : " (keyboard)");
        ActiveWindow a(ImageBytes(sampleRecord()), {}, true);
        QTemporaryDir out;
        a.h.files.saveAnswer = (std::filesystem::path(out.path().toStdString()) / "a.eep").string();
        auto* centre = qobject_cast<QComboBox*>(a.h.control("tabTCcentra"));
        centre->setFocus(Qt::TabFocusReason);
        settle();
        centre->setEditText(QStringLiteral("12a4"));
        if (c.mouse)
            a.h.click(c.button);
        else
            a.h.button(c.button)->click();
        settle();
        EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg046"})) << "case: " << name;
        EXPECT_EQ(a.h.focused(), "tabTCcentra") << "case: " << name;
        EXPECT_EQ(a.h.text("tabTCcentra"), "12a4") << "case: " << name;
        EXPECT_EQ(a.h.files.saved, 0) << "case: " << name;
        EXPECT_EQ(a.handled(5), 0u) << "case: " << name << ": nothing is written";
        EXPECT_TRUE(ListBackups(a.h.backupFolder()).empty()) << "case: " << name;
        EXPECT_TRUE(a.h.window().isVisible()) << "case: " << name;
    }
}

// A save backs the device up first; "open a backup" brings those settings
// back through the ordinary load.
TEST(DeviceWindowSave, BacksUpFirstAndTheBackupOpensAgain) {
    ActiveWindow a(ImageBytes(sampleRecord()), {}, true);
    EXPECT_TRUE(a.h.enabled("btBackupOpen"));
    SettingsRecord edited = Canonical(sampleRecord());
    edited.tabJmenoStanice = "Nova";
    a.h.window().applyRecord(edited);
    a.h.click("btEEPROMSave");
    ASSERT_EQ(a.h.prompter.keys(), (Keys{"msg023"}));
    const std::vector<BackupEntry> backups = ListBackups(a.h.backupFolder());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].model, "RQ7");
    EXPECT_EQ(backups[0].station, "Sklad-Brno");
    EXPECT_EQ(a.h.window().record(), edited);
    EXPECT_FALSE(a.h.window().isWindowModified()) << "the device holds them now";

    a.h.prompter.clear();
    a.h.files.openAnswer = backups[0].path.string();
    a.h.click("btBackupOpen");
    EXPECT_EQ(a.h.files.openedIn, a.h.backupFolder().string());
    EXPECT_EQ(a.h.prompter.keys(), (Keys{"msg004"}));
    EXPECT_EQ(DifferingFields(a.h.window().record(), Canonical(sampleRecord())), "");
    EXPECT_EQ(a.h.window().windowTitle().toStdString().rfind(
                  backups[0].path.filename().string() + "[*]", 0),
              0u);

    DeviceWindowHarness without;
    EXPECT_FALSE(without.enabled("btBackupOpen")) << "no backup folder, no command";
}

} // namespace
} // namespace rq7::test
