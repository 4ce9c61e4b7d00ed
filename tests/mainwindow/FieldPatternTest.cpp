// The common field pattern driven through real focus changes, key clicks
// and mouse clicks: checks on leaving, the standard rejection, the
// replacements, the telephone flags and the single-alarm rule.

#include "settings/PhoneNumber.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsSize.h"
#include "tests/mainwindow/WindowHarness.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/FieldWatcher.h"
#include "ui/main/MainFields.h"
#include "ui/main/rules/RuleMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

TEST(FieldPattern, RejectedFieldKeepsItsTextAndFocusAndBringsItsPageToTheFront) {
    struct Case {
        const char* field;
        int page;
        const char* typed;
        const char* key;
    };
    for (const Case& c : {
             Case{"tabPIN", 0, "12a4", "msg045"},
             Case{"tabTCcentra", 0, "+420 603", "msg046"},
             Case{"rtNotAuthorized", 0, "Přístup", "msg039"},
             Case{"tabTC_2", 1, "123 456", "msg037"},
             Case{"tabUTO", 1, "+42a", "msg50"},
             Case{"tabINPNazev_0", 2, "st", "msg044"},
             Case{"tabINPLH_3", 2, "a[b", "msg042"},
             Case{"tabOUTNazev_1", 3, "Rele 1", "msg042"},
             Case{"tabOUTVyp_4", 3, "RES", "msg044"},
             // Only the first failing check speaks: the space fails before the
             // state names are compared.
             Case{"tabOUTZap_6", 3, "o n", "msg042"},
         }) {
        WindowHarness h;
        h.window().showPage(c.page);
        if (std::string(c.field) == "tabOUTZap_6")
            ui::setControlText(h.control("tabOUTVyp_6"), "O N");
        h.type(c.field, c.typed);
        // The user turns to another page: the field is left.
        h.window().showPage((c.page + 1) % 4);
        settle();
        ASSERT_EQ(h.prompter.keys(), std::vector<std::string>{c.key}) << "case: " << c.field;
        EXPECT_EQ(h.prompter.asked[0].icon, Icon::Critical) << "case: " << c.field;
        EXPECT_EQ(h.prompter.asked[0].title, "RQ7 Init") << "case: " << c.field;
        EXPECT_EQ(h.text(c.field), c.typed) << "case: " << c.field;
        EXPECT_EQ(h.focused(), c.field) << "case: " << c.field;
        EXPECT_EQ(h.window().tabList()->currentIndex(), c.page) << "case: " << c.field;
    }
}

TEST(FieldPattern, RejectionOnTheSamePageAndItsMessageText) {
    WindowHarness h;
    h.window().showPage(2);
    h.typeAndLeave("tabINPLH_3", "a[b", "tabINPHL_3");
    ASSERT_EQ(h.prompter.keys(), std::vector<std::string>{"msg042"});
    const std::string& text = h.prompter.asked[0].text;
    EXPECT_EQ(text.rfind("Toto pole může obsahovat pouze tyto znaky: ", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 26), "ABCDEFGHIJKLMNOPQRSTUVWXYZ") << text;
    EXPECT_EQ(h.focused(), "tabINPLH_3");
}

TEST(FieldPattern, AcceptedFieldsLetTheFocusMoveOn) {
    WindowHarness h;
    h.typeAndLeave("tabPIN", "1234", "tabJmenoStanice");
    h.window().showPage(2);
    h.typeAndLeave("tabINPNazev_0", "Alarm zona 1", "tabINPVyp_0");
    h.typeAndLeave("tabINPVyp_0", "STATES", "tabINPZap_0");
    EXPECT_TRUE(h.prompter.asked.empty());
    EXPECT_EQ(h.focused(), "tabINPZap_0");
}

TEST(FieldPattern, TelephoneNumbersAreCompletedAndCounted) {
    struct Case {
        const char* typed;
        const char* prefix;
        const char* shown;
    };
    for (const Case& c : {Case{"061", "+420", "+42061"}, Case{"123456789", "+420", "+420123456789"},
                          Case{"0042161", "+420", "+42161"}, Case{"+4930123", "+420", "+4930123"},
                          Case{"42061", "+420", "+42042061"}, Case{"061", "", "061"}}) {
        WindowHarness h;
        h.window().showPage(1);
        h.typeAndLeave("tabUTO", c.prefix, "tabTC_0");
        h.typeAndLeave("tabTC_3", c.typed, "tabTC_4");
        EXPECT_TRUE(h.prompter.asked.empty()) << "case: " << c.typed;
        EXPECT_EQ(h.text("tabTC_3"), c.shown) << "case: " << c.typed;
        // An empty number counts 1; a stored one its encoding plus 1.
        EXPECT_EQ(h.usage(), 150 - 1 + static_cast<int>(EncodePhoneNumber(c.shown).size()) + 1)
            << "case: " << c.typed;
    }
    WindowHarness h;
    h.window().showPage(1);
    h.typeAndLeave("tabTC_0", "+420123456789", "tabTC_1");
    EXPECT_EQ(h.usage(), 150 + 16); // a 16-character encoding counts 17 instead of 1
}

// The typing limit holds the user's keys only: a text the program puts into
// a field (a loaded image, a number completed with the prefix) stays whole,
// and keys can then shorten it but never lengthen it.
TEST(FieldPattern, TextsSetByTheProgramAreNotCutToTheTypingLimit) {
    WindowHarness h;
    SettingsRecord loaded;
    for (const SettingsField& field : settingsFields())
        if (field.kind() == FieldKind::Text && field.maxWidth() > 0)
            field.text(loaded) = std::string(static_cast<std::size_t>(field.maxWidth() + 7), '7');
    h.window().applyRecord(loaded);
    for (const SettingsField& field : settingsFields())
        EXPECT_EQ(field.get(h.window().record()), field.get(loaded)) << "case: " << field.name();
    EXPECT_EQ(h.usage(), SettingsSize(loaded));

    h.window().showPage(1);
    const std::string national = "0" + std::string(49, '5'); // 50 characters, the limit
    h.typeAndLeave("tabTC_3", national, "tabTC_4");
    const std::string completed = "+420" + std::string(49, '5');
    EXPECT_EQ(h.text("tabTC_3"), completed);
    h.focus("tabTC_3");
    QLineEdit* number = h.edit("tabTC_3");
    number->end(false);
    QTest::keyClick(number, Qt::Key_1);
    EXPECT_EQ(h.text("tabTC_3"), completed) << "a key lengthens a text beyond the limit";
    QTest::keyClick(number, Qt::Key_Backspace);
    QTest::keyClick(number, Qt::Key_1);
    EXPECT_EQ(h.text("tabTC_3"), completed.substr(0, 52)) << "still beyond the limit";
    h.type("tabTC_3", std::string(51, '6'));
    EXPECT_EQ(h.text("tabTC_3"), std::string(50, '6')) << "the limit holds again";
}

TEST(FieldPattern, EmptyingANumberClearsItsFlagsWithTheirMessages) {
    WindowHarness h;
    h.window().showPage(1);
    h.typeAndLeave("tabTC_2", "+420123", "tabTC_3");
    h.click("tabTCPrijem_2");
    h.click("tabTCUdalost_2");
    ASSERT_TRUE(h.check("tabTCPrijem_2")->isChecked());
    ASSERT_TRUE(h.check("tabTCUdalost_2")->isChecked());
    ASSERT_TRUE(h.prompter.asked.empty());

    h.typeAndLeave("tabTC_2", "", "tabTC_3");
    EXPECT_EQ(h.prompter.keys(), (std::vector<std::string>{"msg051", "msg053"}));
    for (const Message& m : h.prompter.asked)
        EXPECT_EQ(m.icon, Icon::Exclamation) << "case: " << m.key;
    EXPECT_FALSE(h.check("tabTCPrijem_2")->isChecked());
    EXPECT_FALSE(h.check("tabTCUdalost_2")->isChecked());
}

TEST(FieldPattern, AFlagOnARowWithoutNumberUndoesItself) {
    for (const auto& [flag, key] :
         {std::pair{"tabTCPrijem_4", "msg051"}, std::pair{"tabTCUdalost_4", "msg053"}}) {
        WindowHarness h;
        h.window().showPage(1);
        h.click(flag);
        EXPECT_EQ(h.prompter.keys(), std::vector<std::string>{key}) << "case: " << flag;
        EXPECT_FALSE(h.check(flag)->isChecked()) << "case: " << flag;
        // Clearing raises nothing.
        h.prompter.clear();
        ui::setControlFlag(h.control(flag), kFlagOff);
        EXPECT_TRUE(h.prompter.asked.empty()) << "case: " << flag;
    }
}

TEST(FieldPattern, SingleAlarmRuleAsksAndKeepsOneRow) {
    struct Case {
        Answer answer;
        bool first;
        bool second;
    };
    for (const Case& c : {Case{Answer::Yes, false, true}, Case{Answer::No, true, false}}) {
        WindowHarness h;
        h.window().showPage(1);
        h.typeAndLeave("tabTC_0", "+420111", "tabTC_1");
        h.typeAndLeave("tabTC_1", "+420222", "tabTC_2");
        // The alarm column is hidden; its flags are set by the program and
        // by the row dialog, and the rule runs all the same.
        ui::setControlFlag(h.control("tabTCPoplach_0"), kFlagOn);
        ASSERT_TRUE(h.prompter.asked.empty());
        h.prompter.answers = {c.answer};
        ui::setControlFlag(h.control("tabTCPoplach_1"), kFlagOn);
        ASSERT_EQ(h.prompter.asked.size(), 1u);
        const Message& prompt = h.prompter.asked[0];
        EXPECT_EQ(prompt.title, "TMVinit - info");
        EXPECT_EQ(prompt.buttons, Buttons::YesNo);
        EXPECT_EQ(prompt.icon, Icon::Exclamation);
        EXPECT_EQ(prompt.text, "V této verzi je možno povolit volání pouze na jedno telefonní "
                               "číslo. Má to být právě toto?");
        EXPECT_EQ(h.check("tabTCPoplach_0")->isChecked(), c.first);
        EXPECT_EQ(h.check("tabTCPoplach_1")->isChecked(), c.second);
    }
    WindowHarness h;
    ui::setControlFlag(h.control("tabTCPoplach_5"), kFlagOn);
    EXPECT_EQ(h.prompter.keys(), std::vector<std::string>{"msg052"});
    EXPECT_FALSE(h.check("tabTCPoplach_5")->isChecked());
}

TEST(FieldPattern, LoadedSettingsRaiseOnlyTheSingleAlarmQuestion) {
    WindowHarness h;
    SettingsRecord loaded;
    loaded.tabTC[1] = "+420111";
    loaded.tabTC[4] = "+420444";
    loaded.tabTCPoplach[1] = kFlagOn;
    loaded.tabTCPoplach[4] = kFlagOn;
    loaded.tabTCPrijem[6] = kFlagOn; // no number: would be msg051 when not loading
    h.prompter.answers = {Answer::No};
    h.window().applyRecord(loaded);
    EXPECT_EQ(h.prompter.keys(), std::vector<std::string>{std::string(rules::kSingleAlarmText)});
    EXPECT_TRUE(h.check("tabTCPoplach_1")->isChecked());
    EXPECT_FALSE(h.check("tabTCPoplach_4")->isChecked()) << "No keeps the earlier row";
    EXPECT_TRUE(h.check("tabTCPrijem_6")->isChecked());
    EXPECT_FALSE(h.window().validation().SuppressCrossChecks);
}

TEST(FieldPattern, ValidityIsClampedOnLeaving) {
    struct Case {
        const char* typed;
        const char* shown;
    };
    WindowHarness h;
    for (const Case& c : {Case{"0", "1"}, Case{"45", "30"}, Case{"7.9", "7"}, Case{"abc", "1"},
                          Case{"", "1"}, Case{"12", "12"}, Case{"-5", "1"}}) {
        h.typeAndLeave("tabDobaPlatnostiSMS", c.typed, "tabJmenoStanice");
        EXPECT_EQ(h.text("tabDobaPlatnostiSMS"), c.shown) << "case: " << c.typed;
    }
    EXPECT_TRUE(h.prompter.asked.empty());
}

TEST(FieldPattern, StateNamesRejectedOncePerBounce) {
    WindowHarness h;
    h.window().showPage(2);
    h.typeAndLeave("tabINPVyp_1", "On", "tabINPZap_1");
    h.typeAndLeave("tabINPZap_1", "ON", "tabINPLH_1");
    EXPECT_EQ(h.prompter.keys(), std::vector<std::string>{"msg040"});
    EXPECT_EQ(h.focused(), "tabINPZap_1");
    EXPECT_EQ(h.text("tabINPZap_1"), "ON");
    // Leaving the unchanged field again reports the pair again: the guard
    // silences only the sister's leave during the bounce.
    h.focus("tabINPLH_1");
    EXPECT_EQ(h.prompter.keys(), (std::vector<std::string>{"msg040", "msg040"}));
    EXPECT_EQ(h.focused(), "tabINPZap_1");
    // A different name passes and lifts the guard.
    h.typeAndLeave("tabINPZap_1", "Zapnuto", "tabINPLH_1");
    EXPECT_EQ(h.focused(), "tabINPLH_1");
    EXPECT_FALSE(h.window().validation().SuppressCrossChecks);
    // The next duplicate is reported again.
    h.typeAndLeave("tabINPVyp_2", "Open", "tabINPZap_2");
    h.typeAndLeave("tabINPZap_2", "open", "tabINPLH_2");
    EXPECT_EQ(h.prompter.keys(), (std::vector<std::string>{"msg040", "msg040", "msg040"}));
}

TEST(FieldPattern, FocusSelectsTheWholeText) {
    WindowHarness h;
    ui::setControlText(h.control("tabJmenoStanice"), "Stanice Sever");
    h.focus("tabJmenoStanice");
    EXPECT_EQ(h.edit("tabJmenoStanice")->selectedText().toStdString(), "Stanice Sever");
    h.focus("tabPIN");
    QTest::mouseClick(h.control("tabJmenoStanice"), Qt::LeftButton, {}, QPoint(3, 5));
    settle();
    EXPECT_EQ(h.edit("tabJmenoStanice")->selectedText().toStdString(), "Stanice Sever");
}

// The window's list of fields with a change handler agrees with the size:
// a field has one exactly when its text counts (except the hidden rtReCall,
// which the user cannot edit).
TEST(FieldPattern, ChangeHandlersBelongToTheCountedFields) {
    const int empty = SettingsSize(SettingsRecord{});
    for (const SettingsField& field : settingsFields()) {
        if (field.kind() != FieldKind::Text)
            continue;
        SettingsRecord record;
        field.text(record) = "12";
        const bool counts = SettingsSize(record) != empty;
        const bool handler = ui::isCountedField(field.base());
        EXPECT_EQ(handler, counts && field.base() != "rtReCall") << "case: " << field.name();
    }
    EXPECT_FALSE(ui::isCountedField("tabUTO"));
}

TEST(FieldPattern, TypingRecountsOnlyCountedFields) {
    WindowHarness h;
    h.type("tabJmenoStanice", "Abc");
    EXPECT_EQ(h.usage(), 153);
    // A fixed-size field: no recount, so a stale figure would stay stale.
    h.label("lblInfoPamUsage")->setText("stale");
    h.type("tabDobaPlatnostiSMS", "12");
    EXPECT_EQ(h.label("lblInfoPamUsage")->text().toStdString(), "stale");
    h.type("tabPIN", "12");
    EXPECT_EQ(h.usage(), 155);
}

TEST(FieldPattern, ClearingNotAuthorizedDisablesItsTextButKeepsIt) {
    WindowHarness h;
    h.typeAndLeave("rtNotAuthorized", "Pristup odepren", "tabPIN");
    const int size = h.usage();
    h.click("opNotAuthorized");
    EXPECT_FALSE(h.control("rtNotAuthorized")->isEnabled());
    EXPECT_EQ(h.text("rtNotAuthorized"), "Pristup odepren");
    EXPECT_EQ(h.usage(), size);
    h.click("opNotAuthorized");
    EXPECT_TRUE(h.control("rtNotAuthorized")->isEnabled());
}

TEST(FieldPattern, SmsCentreItemCountsOnlyItsNumber) {
    QTemporaryDir temp;
    const std::filesystem::path program = temp.path().toStdString();
    std::ofstream(program / "lum_smsc.ini") << "Operator,+420603052000\n";
    HarnessOptions options;
    options.programDir = program;
    WindowHarness h(options);
    auto* list = h.window().findChild<QComboBox*>("tabTCcentra");
    list->setCurrentIndex(0); // the user picks the entry
    settle();
    EXPECT_EQ(h.window().GetSMSC(), "+420603052000");
    // The figure is read back by the saves, so a pick recounts it at once.
    EXPECT_EQ(h.usage(), 150 + 13);
    h.focus("tabTCcentra");
    h.focus("tabPIN");
    EXPECT_TRUE(h.prompter.asked.empty()) << "an entry's number is a valid number";

    list->setEditText("+420603052000");
    list->setCurrentIndex(-1);
    list->setEditText("+420603052000");
    h.window().SetSMSC();
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(list->currentText().toStdString(), "Operator <+420603052000>");
}

TEST(FieldPattern, LeaveHandlersRunOncePerLeave) {
    WindowHarness h;
    const int before = h.window().fieldWatcher().leaveCount();
    h.typeAndLeave("tabPIN", "1234", "tabTCcentra");
    h.focus("tabJmenoStanice");
    EXPECT_EQ(h.window().fieldWatcher().leaveCount() - before, 2);
}

} // namespace
} // namespace rq7::test
