// The main window as it starts: every setting bound to its control, the
// controls and texts of the four pages, the start-up lists and the exits.

#include "settings/SettingsFields.h"
#include "tests/mainwindow/WindowHarness.h"
#include "tests/support/Captions.h"
#include "tests/support/TabOrder.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/LabelApplier.h"
#include "ui/language/catalogue/Catalogue.h"
#include "ui/main/MainLabels.h"
#include "ui/main/SettingsBinding.h"
#include "ui/main/rules/FieldRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

std::vector<std::string> items(QComboBox* list) {
    std::vector<std::string> result;
    for (int index = 0; index < list->count(); ++index)
        result.push_back(list->itemText(index).toStdString());
    return result;
}

QColor textColour(QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

TEST(MainWindowLayout, EverySettingHasAControlOfItsKind) {
    WindowHarness h;
    const ui::SettingsBinding binding(&h.window());
    EXPECT_TRUE(binding.missing().isEmpty())
        << "fields without a control: " << binding.missing().join(", ").toStdString();
    for (const SettingsField& field : settingsFields())
        EXPECT_EQ(binding.control(field)->objectName(), ui::controlName(field))
            << "case: " << field.name();
}

TEST(MainWindowLayout, TextLimitsAreThoseOfTheFieldAndRuleTables) {
    WindowHarness h;
    for (const SettingsField& field : settingsFields()) {
        auto* edit = h.window().findChild<QLineEdit*>(ui::controlName(field));
        if (!edit || field.maxWidth() == 0)
            continue;
        EXPECT_EQ(edit->maxLength(), field.maxWidth()) << "case: " << field.name();
        if (const rules::FieldRule* rule = rules::FindRule(field.name())) {
            EXPECT_EQ(edit->maxLength(), rule->maxLength) << "case: " << field.name();
        }
    }
    EXPECT_EQ(h.edit("tabUTO")->maxLength(), 4);
}

TEST(MainWindowLayout, StartsWithTheRecordsInitialValues) {
    WindowHarness h;
    const SettingsRecord shown = h.window().record();
    const SettingsRecord initial;
    for (const SettingsField& field : settingsFields())
        EXPECT_EQ(field.get(shown), field.get(initial)) << "case: " << field.name();
}

TEST(MainWindowLayout, StartStateOfTheCommandsAndTheDevice) {
    WindowHarness h;
    struct Case {
        const char* name;
        bool enabled;
    };
    for (const Case& c :
         {Case{"btFileLoad", true}, Case{"btFileSave", true}, Case{"btEEPROMLoad", false},
          Case{"btEEPROMSave", false}, Case{"btTisk", false}, Case{"btInformace", true},
          Case{"btKonec", true}, Case{"btDEA", true}, Case{"tabPort", true},
          Case{"tabBezpecRezim", false}, Case{"rtNotAuthorized", true}})
        EXPECT_EQ(h.control(c.name)->isEnabled(), c.enabled) << "case: " << c.name;

    EXPECT_TRUE(h.check("tabBezpecRezim")->isChecked());
    EXPECT_TRUE(h.check("CheckWrite")->isChecked());
    auto* port = h.window().findChild<QComboBox*>("tabPort");
    EXPECT_TRUE(port->isEditable());
    // The first four entries are fixed; serial adapters the machine has follow them.
    const std::vector<std::string> ports = items(port);
    ASSERT_GE(ports.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(ports.begin(), ports.begin() + 4),
              (std::vector<std::string>{"COM 1", "COM 2", "COM 3", "COM 4"}));
    EXPECT_EQ(port->currentText().toStdString(), "COM 1");
    EXPECT_EQ(h.window().findChild<QPushButton*>("btDEA")->text().toStdString(), "&Aktivovat");
    EXPECT_EQ(h.label("tabDeAktivNapis")->text().toStdString(), "Neaktivní");
    EXPECT_EQ(textColour(h.label("tabDeAktivNapis")), QColor(255, 0, 0));
    for (const char* name :
         {"lblInfoProdukt", "lblInfoVerze", "lblInfoModem", "lblInfoPamSize", "lblInfoPamFree"})
        EXPECT_EQ(h.label(name)->text().toStdString(), "?") << "case: " << name;
    EXPECT_EQ(h.label("lblInfoPamUsage")->text().toStdString(), "150 byte");
    EXPECT_EQ(h.window().tabList()->count(), 4);
    EXPECT_EQ(h.window().tabList()->currentIndex(), 0);
}

TEST(MainWindowLayout, SettingsWithoutAVisibleControlAreHidden) {
    WindowHarness h;
    std::vector<std::string> hidden = {
        "frUSSD", "Frame7", "Frame2", "tabPrepnoutJTS", "tabPrepnoutJTSCislo", "lblTCPoplach"};
    for (int row = 0; row < kRowCount; ++row)
        for (const char* stem : {"tabTCPoplach", "tabOUTimpuls", "tabOUTimpulsLEN"})
            hidden.push_back(std::string(stem) + "_" + std::to_string(row));
    for (const std::string& name : hidden)
        EXPECT_TRUE(h.control(name)->isHidden()) << "case: " << name;
    for (int row = 0; row < kRowCount; ++row)
        for (const char* stem : {"tabOUTimpuls", "tabOUTimpulsLEN"}) {
            const std::string name = std::string(stem) + "_" + std::to_string(row);
            EXPECT_FALSE(h.control(name)->isEnabled()) << "case: " << name;
        }
    // The visible ones are visible once their page is.
    for (const auto& [page, name] : {std::pair{1, "tabTCPrijem_7"}, std::pair{2, "tabINPHL_0"},
                                     std::pair{3, "tabOUTZpr_4"}, std::pair{0, "tabPIN"}}) {
        h.window().showPage(page);
        EXPECT_TRUE(h.control(name)->isVisible()) << "case: " << name;
    }
}

TEST(MainWindowLayout, ShowsTheBuiltInCzechTexts) {
    WindowHarness h;
    QTabWidget* tabs = h.window().tabList();
    EXPECT_EQ(captionOf(&h.window()), "Inicializační program pro zařízení RQ7");
    EXPECT_EQ(tabs->tabText(0).toStdString(), "Všeo&becné");
    EXPECT_EQ(tabs->tabText(1).toStdString(), " Tele&fonní čísla");
    EXPECT_EQ(tabs->tabText(2).toStdString(), " &Logické vstupy");
    EXPECT_EQ(tabs->tabText(3).toStdString(), " Logické výstup&y");
    struct Case {
        const char* control;
        const char* text;
    };
    for (const Case& c : {
             Case{"lblTCPrijem", "Akceptovat příkazy\nz tohoto čísla"},
             Case{"lblDInStateOff", "vypnuto\n0"},
             Case{"lblPIN", "PIN:"},
             Case{"tabTCZmenit_3", "Možnosti"},
             Case{"tabINPbt_0", "Možnosti"},
             Case{"tabOUTbt_7", "Možnosti"},
             Case{"tabTCjmeno_5", "T5"},
             Case{"tabINPjmeno_2", "I2"},
             Case{"tabOUTjmeno_7", "O7"},
             Case{"tabUTO", "+420"},
             Case{"opNotAuthorized", "Posílat hlášení, že není povolen přístup"},
             Case{"btKonec", "U&končit"},
             Case{"CheckWrite", "Kontrolovat zápis do zařízení"},
             Case{"txt2eeExistTime", "minut"},
         }) {
        QWidget* control = h.control(c.control);
        std::string shown;
        if (auto* label = qobject_cast<QLabel*>(control))
            shown = label->text().toStdString();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            shown = button->text().toStdString();
        else
            shown = ui::controlText(control);
        EXPECT_EQ(shown, c.text) << "case: " << c.control;
    }
    EXPECT_EQ(h.control("btFileLoad")->toolTip().toStdString(),
              "Načíst nastavení zařízení ze souboru");
}

TEST(MainWindowLayout, EveryLabelOfTheTableFindsItsControlAndText) {
    WindowHarness h;
    const Texts texts;
    const QStringList missing = ui::applyLabels(&h.window(), ui::mainWindowLabels(), texts);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    for (const ui::ControlLabel& label : ui::mainWindowLabels()) {
        const std::string pattern = label.pattern;
        for (const std::string& key : ui::labelKeys(pattern))
            EXPECT_TRUE(inCatalogue(key) || pattern.find(key + "|") != std::string::npos)
                << "key without a text: " << key << " case: " << label.control;
        EXPECT_FALSE(ui::composeLabel(pattern, texts).empty()) << "case: " << label.control;
    }
}

TEST(MainWindowLayout, TabFollowsTheLinesAndColumnsOfEveryPage) {
    WindowHarness h;
    QTabWidget* tabs = h.window().tabList();
    for (int page = 0; page < tabs->count(); ++page) {
        h.window().showPage(page);
        settle();
        const std::vector<QWidget*> stops = tabStops(tabs->widget(page));
        EXPECT_FALSE(stops.empty()) << "page " << page;
        EXPECT_EQ(readingOrderBreak(stops), "") << "page " << page;
    }
}

TEST(MainWindowLayout, InitTablesFillsTheFixedLists) {
    WindowHarness h;
    struct Case {
        const char* list;
        std::vector<std::string> items;
    };
    for (const Case& c : {Case{"tabKOMUNIKFormat", {"SIA", "Pulzní"}},
                          Case{"tabKOMUNIKParita", {"Bez parity", "S paritou"}},
                          Case{"tabKOMUNIKFrekvence", {"1400 Hz", "2300 Hz"}}}) {
        auto* list = h.window().findChild<QComboBox*>(c.list);
        EXPECT_EQ(items(list), c.items) << "case: " << c.list;
        EXPECT_EQ(list->currentIndex(), 0) << "case: " << c.list;
    }
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(MainWindowLayout, SmsCentreListFromTheProgramDirectoryElseTheSystemOne) {
    QTemporaryDir temp;
    const std::filesystem::path root = temp.path().toStdString();
    const auto program = root / "program";
    const auto system = root / "system";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(system);
    writeFile(system / "lum_smsc.ini", "Systemovy,+420111\n");

    struct Case {
        const char* name;
        bool inProgramDir;
        std::vector<std::string> items;
    };
    for (const Case& c : {Case{"system directory only", false, {"Systemovy <+420111>"}},
                          Case{"program directory first",
                               true,
                               {"Oskar <+420608005681>", "T, Mobile <+420603052000>"}}}) {
        if (c.inProgramDir)
            writeFile(program / "lum_smsc.ini",
                      "Oskar,+420608005681\n\"T, Mobile\",+420603052000\n");
        HarnessOptions options;
        options.programDir = program;
        options.systemConfigDir = system;
        WindowHarness h(options);
        auto* list = h.window().findChild<QComboBox*>("tabTCcentra");
        EXPECT_EQ(items(list), c.items) << "case: " << c.name;
        EXPECT_EQ(list->currentText().toStdString(), "") << "case: " << c.name;
        EXPECT_EQ(h.usage(), 150) << "case: " << c.name;
    }
}

TEST(MainWindowLayout, ExitButtonAndCloseBoxEndWithoutAQuestionWhileNoDeviceIsActive) {
    for (const bool button : {true, false}) {
        WindowHarness h;
        if (button)
            h.click("btKonec");
        else
            h.window().close();
        EXPECT_FALSE(h.window().isVisible()) << "case: " << (button ? "btKonec" : "close box");
        EXPECT_TRUE(h.prompter.asked.empty());
    }
}

TEST(MainWindowLayout, RowButtonsAndDoubleClicksAskForTheRowDialog) {
    WindowHarness h;
    const DialogCanceller canceller; // the row dialogs open; this test looks at the requests
    std::vector<std::pair<ui::RowTable, int>> requests;
    QObject::connect(&h.window(), &ui::Hlavni::rowEditRequested,
                     [&](ui::RowTable table, int row) { requests.emplace_back(table, row); });
    h.window().showPage(1);
    h.click("tabTCZmenit_5");
    QTest::mouseDClick(h.control("tabTC_5"), Qt::LeftButton);
    h.window().showPage(2);
    h.click("tabINPbt_4");
    QTest::mouseDClick(h.control("tabINPHL_4"), Qt::LeftButton);
    h.window().showPage(3);
    QTest::mouseDClick(h.control("tabOUTVyp_2"), Qt::LeftButton);
    settle();
    const std::vector<std::pair<ui::RowTable, int>> expected = {{ui::RowTable::Telephone, 5},
                                                                {ui::RowTable::Telephone, 5},
                                                                {ui::RowTable::Input, 4},
                                                                {ui::RowTable::Input, 4},
                                                                {ui::RowTable::Output, 2}};
    EXPECT_EQ(requests, expected);
}

} // namespace
} // namespace rq7::test
