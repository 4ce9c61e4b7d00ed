// Opening the row dialogs from the main window: by the row button and by a
// double click into the row, the caption, the row copied in, the tab order,
// the control texts and the one instance kept between uses.

#include "tests/dialogs/RowDialogFixture.h"
#include "tests/support/Captions.h"
#include "tests/support/TabOrder.h"
#include "ui/dialogs/LabelApplier.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/dialogs/TelCislo.h"
#include "ui/dialogs/Vstup.h"
#include "ui/dialogs/Vystup.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace rq7::test {
namespace {

struct OpenCase {
    const char* name;
    TableInfo table;
    Way way;
    int row;
    const char* field; // double click: the main window's field stem
    const char* dialog;
    const char* title;
};

class OpenDialog : public RowDialogTest {};

TEST_F(OpenDialog, ButtonAndDoubleClickOpenTheRowsDialogWithItsCaption) {
    const OpenCase cases[] = {
        {"T0 button", telephoneTable(), Way::Button, 0, nullptr, "TelCislo",
         "Telefonn\u00ed \u010d\u00edslo T0"},
        {"T3 button", telephoneTable(), Way::Button, 3, nullptr, "TelCislo",
         "Telefonn\u00ed \u010d\u00edslo T3"},
        {"T5 number", telephoneTable(), Way::DoubleClick, 5, "tabTC", "TelCislo",
         "Telefonn\u00ed \u010d\u00edslo T5"},
        {"I0 button", inputTable(), Way::Button, 0, nullptr, "Vstup", "Logick\u00fd vstup I0"},
        {"I5 button", inputTable(), Way::Button, 5, nullptr, "Vstup", "Logick\u00fd vstup I5"},
        {"I4 name", inputTable(), Way::DoubleClick, 4, "tabINPNazev", "Vstup",
         "Logick\u00fd vstup I4"},
        {"I4 state 1", inputTable(), Way::DoubleClick, 4, "tabINPZap", "Vstup",
         "Logick\u00fd vstup I4"},
        {"I4 state 0", inputTable(), Way::DoubleClick, 4, "tabINPVyp", "Vstup",
         "Logick\u00fd vstup I4"},
        {"I4 text 0->1", inputTable(), Way::DoubleClick, 4, "tabINPLH", "Vstup",
         "Logick\u00fd vstup I4"},
        {"I4 text 1->0", inputTable(), Way::DoubleClick, 4, "tabINPHL", "Vstup",
         "Logick\u00fd vstup I4"},
        {"O7 button", outputTable(), Way::Button, 7, nullptr, "Vystup",
         "Logick\u00fd v\u00fdstup O7"},
        {"O2 name", outputTable(), Way::DoubleClick, 2, "tabOUTNazev", "Vystup",
         "Logick\u00fd v\u00fdstup O2"},
        {"O2 state 1", outputTable(), Way::DoubleClick, 2, "tabOUTZap", "Vystup",
         "Logick\u00fd v\u00fdstup O2"},
        {"O2 state 0", outputTable(), Way::DoubleClick, 2, "tabOUTVyp", "Vystup",
         "Logick\u00fd v\u00fdstup O2"},
    };
    for (const OpenCase& c : cases) {
        auto run = std::make_shared<DialogRun>();
        whileOpen({pressEscape()}, run);
        if (c.way == Way::Button)
            pressRowButton(c.table, c.row);
        else
            doubleClick(ui::rowName(c.field, c.row).toStdString(), c.table.page);
        EXPECT_TRUE(run->opened) << "case: " << c.name;
        EXPECT_EQ(run->name, c.dialog) << "case: " << c.name;
        EXPECT_EQ(run->title, c.title) << "case: " << c.name;
        EXPECT_TRUE(asked().empty()) << "case: " << c.name;
    }
}

TEST_F(OpenDialog, TheRowIsCopiedIntoTheDialog) {
    SettingsRecord record;
    record.tabTC[6] = "+420601";
    record.tabTCPrijem[6] = kFlagOn;
    record.tabTCPoplach[6] = kFlagOn;
    record.tabTCUdalost[6] = kFlagGrey;
    record.tabINPNazev[1] = "Dvere";
    record.tabINPZap[1] = "otevreno";
    record.tabINPVyp[1] = "zavreno";
    record.tabINPLH[1] = "Dvere otevreny";
    record.tabINPHL[1] = "Dvere zavreny";
    record.tabINPZpr[1] = kFlagOn;
    record.tabINPHLEvent[1] = kFlagOn;
    record.tabOUTNazev[4] = "Svetlo";
    record.tabOUTZap[4] = "ON";
    record.tabOUTVyp[4] = "OFF";
    record.tabOUTNeg[4] = kFlagOn;
    record.tabOUTimpuls[4] = "BLIK";
    record.tabOUTimpulsLEN[4] = "25";
    load(record);

    using Values = std::vector<std::pair<const char*, std::string>>;
    const auto expectValues = [](const Values& values) {
        return [values](ui::RowDialog& dialog) {
            for (const auto& [name, value] : values) {
                QWidget* control = in(dialog, name);
                const std::string shown = qobject_cast<QCheckBox*>(control)
                                              ? std::to_string(ui::controlFlag(control))
                                              : ui::controlText(control);
                EXPECT_EQ(shown, value) << "control: " << name;
            }
        };
    };
    whileOpen({expectValues(
                   {{"TC", "+420601"}, {"TCPrijem", "1"}, {"TCPoplach", "1"}, {"TCUdalost", "2"}}),
               pressEscape()});
    pressRowButton(telephoneTable(), 6);
    whileOpen({expectValues({{"INPNazev", "Dvere"},
                             {"INPZap", "otevreno"},
                             {"INPVyp", "zavreno"},
                             {"INPLH", "Dvere otevreny"},
                             {"INPHL", "Dvere zavreny"},
                             {"INPZpr", "1"},
                             {"INPLHEvent", "0"},
                             {"INPHLEvent", "1"},
                             {"INPNeg", "0"}}),
               pressEscape()});
    pressRowButton(inputTable(), 1);
    whileOpen({expectValues({{"OUTNazev", "Svetlo"},
                             {"OUTZap", "ON"},
                             {"OUTVyp", "OFF"},
                             {"OUTZpr", "0"},
                             {"OUTNeg", "1"},
                             {"OUTimpuls", "BLIK"},
                             {"OUTimpulsLEN", "25"}}),
               pressEscape()});
    pressRowButton(outputTable(), 4);
}

// Walks the dialog with the Tab key from its first field: every control
// once, in the order given, which is the dialog's reading order.
Step expectTabOrder(std::vector<std::string> order) {
    return [order](ui::RowDialog& dialog) {
        std::vector<std::string> seen;
        std::vector<QWidget*> visited;
        for (std::size_t i = 0; i <= order.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            seen.push_back(focus ? focus->objectName().toStdString() : "");
            if (i < order.size())
                visited.push_back(focus);
            press(Qt::Key_Tab);
            settle();
        }
        std::vector<std::string> expected = order;
        expected.push_back(order.front()); // round again
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(visited.size(), tabStops(&dialog).size());
        EXPECT_EQ(readingOrderBreak(visited), "");
    };
}

TEST_F(OpenDialog, TabVisitsTheControlsInOrder) {
    whileOpen({expectTabOrder({"TC", "TCPrijem", "TCUdalost", "btOk", "btStorno"}), pressEscape()});
    pressRowButton(telephoneTable(), 0);
    whileOpen({expectTabOrder({"INPNazev", "INPZpr", "INPVyp", "INPZap", "INPLHEvent", "INPLH",
                               "INPHLEvent", "INPHL", "INPNeg", "btOk", "btStorno"}),
               pressEscape()});
    pressRowButton(inputTable(), 0);
    whileOpen({expectTabOrder({"OUTNazev", "OUTZpr", "OUTVyp", "OUTZap", "OUTNeg", "OUTimpuls",
                               "OUTimpulsLEN", "btOk", "btStorno"}),
               pressEscape()});
    pressRowButton(outputTable(), 0);
    EXPECT_TRUE(asked().empty());
}

void scribble(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText("x");
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText("x");
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle("x");
}

TEST_F(OpenDialog, ControlTextsComeFromTheLanguage) {
    struct Caption {
        const char* control;
        const char* text;
    };
    const std::pair<TableInfo, std::vector<Caption>> dialogs[] = {
        {telephoneTable(),
         {{"lblTC", "Telefonn\u00ed \u010d\u00edslo:"},
          {"TCPrijem", "Akceptovat p\u0159\u00edkazy z tohoto \u010d\u00edsla"},
          {"TCUdalost", "Odes\u00edlat hl\u00e1\u0161en\u00ed"},
          {"btOk", "&OK"},
          {"btStorno", "&Storno"}}},
        {inputTable(),
         {{"lblDInpName", "N\u00e1zev vstupu:"},
          {"lblDInpStateOff", "N\u00e1zev stavu vypnuto (0):"},
          {"lblDInpStateOn", "N\u00e1zev stavu zapnuto (1):"},
          {"INPNeg", "Negovat hodnoty"},
          {"INPZpr", "Uv\u00e1d\u011bt v hl\u00e1\u0161en\u00ed"},
          {"INPLHEvent",
           "P\u0159i zm\u011bn\u011b stavu 0->1 pos\u00edlat hl\u00e1\u0161en\u00ed:"},
          {"btOk", "&OK"}}},
        {outputTable(),
         {{"lblDOutName", "N\u00e1zev v\u00fdstupu:"},
          {"lblDOutStateOn", "N\u00e1zev stavu zapnuto (1):"},
          {"OUTZpr", "Uv\u00e1d\u011bt v hl\u00e1\u0161en\u00ed"},
          {"Frame3", "Impulsy"},
          {"lblImpuls", "P\u0159\u00edkaz pro vysl\u00e1n\u00ed impulsu:"},
          {"lblImpulsUnit", "* 0,1 sekund"},
          {"btStorno", "&Storno"}}},
    };
    for (const auto& [table, captions] : dialogs) {
        const auto check = [&, captions = captions](ui::RowDialog& dialog) {
            for (const Caption& c : captions)
                EXPECT_EQ(captionOf(in(dialog, c.control)), c.text)
                    << dialog.objectName().toStdString() << " " << c.control;
            // Re-labelling can run again at any time and restores every text.
            for (const Caption& c : captions)
                scribble(in(dialog, c.control));
            dialog.ChangeLanguage();
            for (const Caption& c : captions)
                EXPECT_EQ(captionOf(in(dialog, c.control)), c.text)
                    << "after ChangeLanguage: " << c.control;
        };
        whileOpen({check, pressEscape()});
        pressRowButton(table, 1);
    }
}

TEST_F(OpenDialog, EveryKeyOfTheLabelTablesIsInTheCatalogue) {
    for (const auto* labels : {&ui::telCisloLabels(), &ui::vstupLabels(), &ui::vystupLabels()})
        for (const ui::ControlLabel& label : *labels)
            for (const std::string& key : ui::labelKeys(label.pattern))
                EXPECT_FALSE(czechDefault(key).empty()) << label.control << ": " << key;
    for (const char* key : {"lblTC", "lblDinp", "lblDOut"})
        EXPECT_FALSE(czechDefault(key).empty()) << key;
}

TEST_F(OpenDialog, OneInstanceIsKeptAndRefilledForEveryEdit) {
    SettingsRecord record;
    record.tabTC[1] = "+4201";
    record.tabTC[2] = "+4202";
    load(record);
    ui::RowDialogs& dialogs = window().rowDialogs();
    EXPECT_EQ(dialogs.telCislo(), nullptr) << "created on first use";

    // The first edit leaves its traces: another text, the focus on Storno.
    whileOpen({set("TC", "999"), set("TCUdalost", "1"),
               [](ui::RowDialog& dialog) { in(dialog, "btStorno")->setFocus(Qt::TabFocusReason); },
               pressEscape()});
    pressRowButton(telephoneTable(), 1);
    ui::TelCislo* first = dialogs.telCislo();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isVisible()) << "hidden between uses";

    whileOpen({[](ui::RowDialog& dialog) {
                   auto* number = in<QLineEdit>(dialog, "TC");
                   EXPECT_EQ(number->text().toStdString(), "+4202");
                   EXPECT_EQ(ui::controlFlag(in(dialog, "TCUdalost")), kFlagOff);
                   EXPECT_TRUE(number->hasFocus()) << "every edit starts in the number";
                   EXPECT_EQ(number->selectedText(), number->text());
               },
               pressEscape()});
    pressRowButton(telephoneTable(), 2);
    EXPECT_EQ(dialogs.telCislo(), first);
    EXPECT_EQ(first->parentWidget(), &window()) << "owned by the main window";
}

} // namespace
} // namespace rq7::test
