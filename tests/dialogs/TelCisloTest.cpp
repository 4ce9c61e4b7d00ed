// The telephone-number dialog: copy back and cancel, the number's check on
// leaving and on OK, and the row's flag check after every edit.

#include "tests/dialogs/RowDialogFixture.h"
#include "ui/main/rules/RuleMessages.h"

#include <QLineEdit>
#include <QTimer>

namespace rq7::test {
namespace {

class TelCisloDialog : public RowDialogTest {
protected:
    // Types into the dialog's number and moves the focus on, as the user does.
    Step typeNumber(const std::string& text, const char* next = "TCPrijem") {
        return [this, text, next](ui::RowDialog&) { harness.typeAndLeave("TC", text, next); };
    }
    std::string number(int row) { return harness.text(ui::rowName("tabTC", row).toStdString()); }
    Flag flag(const char* stem, int row) {
        return ui::controlFlag(harness.control(ui::rowName(stem, row).toStdString()));
    }
};

TEST_F(TelCisloDialog, CancelLeavesTheRowAsItWas) {
    SettingsRecord record;
    record.tabTC[3] = "+420777";
    record.tabTCUdalost[3] = kFlagOn;
    for (const CancelWay& way : cancelWays()) {
        load(record);
        const SettingsRecord before = window().record();
        whileOpen({set("TC", "123"), set("TCPrijem", "1"), set("TCPoplach", "1"),
                   set("TCUdalost", "0"), way.cancel});
        pressRowButton(telephoneTable(), 3);
        EXPECT_TRUE(window().record() == before) << "case: " << way.name;
        EXPECT_TRUE(window().rowDialogs().telCislo()->cancelFlag()) << "case: " << way.name;
        EXPECT_TRUE(asked().empty()) << "case: " << way.name;
    }
}

TEST_F(TelCisloDialog, OkCopiesTheRowBackWithoutMessages) {
    SettingsRecord record;
    record.tabTC[1] = "+4201";
    record.tabTC[3] = "+4203";
    load(record);
    // Row 2 has no number yet. The number goes back first, so the new flags
    // find it there.
    whileOpen({set("TC", "+420111"), set("TCPrijem", "1"), set("TCUdalost", "1"), pressEnter()});
    doubleClick("tabTC_2", telephoneTable().page);
    EXPECT_EQ(number(2), "+420111");
    EXPECT_EQ(flag("tabTCPrijem", 2), kFlagOn);
    EXPECT_EQ(flag("tabTCPoplach", 2), kFlagOff);
    EXPECT_EQ(flag("tabTCUdalost", 2), kFlagOn);
    EXPECT_FALSE(window().rowDialogs().telCislo()->cancelFlag());
    EXPECT_TRUE(asked().empty());
    SettingsRecord expected = record;
    expected.tabTC[2] = "+420111";
    expected.tabTCPrijem[2] = kFlagOn;
    expected.tabTCUdalost[2] = kFlagOn;
    EXPECT_TRUE(window().record() == expected) << "only row 2 changed";
}

TEST_F(TelCisloDialog, CancelStillChecksTheRowsFlags) {
    SettingsRecord record;
    record.tabTCPrijem[4] = kFlagOn; // a flag on a row without number, as a file may hold
    record.tabTCUdalost[4] = kFlagOn;
    load(record);
    whileOpen({clickStorno()});
    pressRowButton(telephoneTable(), 4);
    EXPECT_EQ(asked(), (std::vector<std::string>{"msg051", "msg053"}));
    EXPECT_EQ(flag("tabTCPrijem", 4), kFlagOff);
    EXPECT_EQ(flag("tabTCUdalost", 4), kFlagOff);
}

TEST_F(TelCisloDialog, OkWithAnEmptyNumberAndTheAcceptFlagReportsOnceAndClearsIt) {
    const struct {
        const char* name;
        const char* numberBefore;
        Flag acceptBefore;
    } cases[] = {
        // The flag is set by the copy back: the window's own handler reports it.
        {"flag set in the dialog", "+420123", kFlagOff},
        // The flag was set already: the check after the dialog reports it.
        {"flag set before", "+420123", kFlagOn},
        {"empty row", "", kFlagOff},
    };
    for (const auto& c : cases) {
        SettingsRecord record;
        record.tabTC[1] = c.numberBefore;
        record.tabTCPrijem[1] = c.acceptBefore;
        load(record);
        whileOpen({set("TC", ""), set("TCPrijem", "1"), pressEnter()});
        pressRowButton(telephoneTable(), 1);
        EXPECT_EQ(asked(), std::vector<std::string>{"msg051"}) << "case: " << c.name;
        EXPECT_EQ(harness.prompter.asked.at(0).icon, Icon::Exclamation) << "case: " << c.name;
        EXPECT_EQ(number(1), "") << "case: " << c.name;
        EXPECT_EQ(flag("tabTCPrijem", 1), kFlagOff) << "case: " << c.name;
    }
}

TEST_F(TelCisloDialog, LeavingTheNumberCompletesIt) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"00420123456789", "+420123456789"},
        {"061", "+42061"},
        {"+49301234", "+49301234"},
        {"", ""},
    };
    for (const auto& c : cases) {
        load(SettingsRecord{});
        std::string inDialog;
        whileOpen(
            {typeNumber(c.typed),
             [&inDialog](ui::RowDialog& dialog) { inDialog = ui::controlText(in(dialog, "TC")); },
             clickOk()});
        pressRowButton(telephoneTable(), 0);
        EXPECT_EQ(inDialog, c.shown) << "case: " << c.typed;
        EXPECT_EQ(number(0), c.shown) << "case: " << c.typed;
        EXPECT_TRUE(asked().empty()) << "case: " << c.typed;
    }
}

TEST_F(TelCisloDialog, OkChecksTheNumberThatStillHasTheFocus) {
    // Enter while the number holds the focus: the number is completed first.
    whileOpen({[this](ui::RowDialog&) { harness.type("TC", "00420123456789"); }, pressEnter()});
    pressRowButton(telephoneTable(), 5);
    EXPECT_EQ(number(5), "+420123456789");

    // A click on OK leaves the focus in the number; the same check runs.
    whileOpen({[this](ui::RowDialog&) { harness.type("TC", "0601"); }, clickOk()});
    pressRowButton(telephoneTable(), 6);
    EXPECT_EQ(number(6), "+420601");
    EXPECT_TRUE(asked().empty());
}

TEST_F(TelCisloDialog, AWrongNumberIsRejectedAndKeepsTheDialogOpen) {
    SettingsRecord record;
    record.tabTC[2] = "+4202";
    load(record);
    const SettingsRecord before = window().record();
    const auto expectRejected = [this](const char* when) {
        return [this, when](ui::RowDialog& dialog) {
            EXPECT_EQ(asked(), std::vector<std::string>{"msg037"}) << when;
            const Message& m = harness.prompter.asked.back();
            EXPECT_EQ(m.text, Texts{}.get("msg037")) << when;
            EXPECT_EQ(m.icon, Icon::Critical) << when;
            EXPECT_EQ(m.title, "RQ7 Init") << when;
            EXPECT_EQ(harness.focused(), "TC") << when;
            EXPECT_EQ(ui::controlText(in(dialog, "TC")), "+420 123") << when;
            EXPECT_TRUE(dialog.isVisible()) << when;
            harness.prompter.clear();
        };
    };
    whileOpen({typeNumber("+420 123"), expectRejected("leaving the field"), pressEnter(),
               expectRejected("Enter"), clickOk(), expectRejected("OK clicked"), pressEscape()});
    pressRowButton(telephoneTable(), 2);
    EXPECT_TRUE(asked().empty()) << "Esc closes silently";
    EXPECT_TRUE(window().record() == before);
}

TEST_F(TelCisloDialog, EscWithAWrongNumberClosesSilently) {
    whileOpen({[this](ui::RowDialog&) { harness.type("TC", "+420 123"); }, pressEscape()});
    pressRowButton(telephoneTable(), 7);
    EXPECT_TRUE(asked().empty());
    EXPECT_EQ(number(7), "");

    // Storno clicked while the wrong number has the focus: silent as well.
    whileOpen({[this](ui::RowDialog&) { harness.type("TC", "12-34"); }, clickStorno()});
    pressRowButton(telephoneTable(), 7);
    EXPECT_TRUE(asked().empty());
    EXPECT_EQ(number(7), "");

    // A leave still queued when Esc cancels (Tab and Esc in one go) is silent too.
    whileOpen({[this](ui::RowDialog&) {
        harness.type("TC", "12-34");
        harness.control("TCPrijem")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Escape);
    }});
    pressRowButton(telephoneTable(), 7);
    EXPECT_TRUE(asked().empty());
    EXPECT_EQ(number(7), "");
}

TEST_F(TelCisloDialog, ALeaveQueuedInOneEditNeverReachesTheNext) {
    SettingsRecord record;
    record.tabTC[7] = "+420 7"; // loaded unchecked, as a file may hold it
    load(record);
    // Tab and Esc in one go, and the next edit opened from the program before
    // the event loop has run again.
    QTimer::singleShot(0, qApp, [this] {
        harness.type("TC", "12");
        harness.control("TCPrijem")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Escape);
    });
    window().rowDialogs().EditTC(6);
    queueSteps({[this](ui::RowDialog& dialog) {
                    EXPECT_EQ(ui::controlText(in(dialog, "TC")), "+420 7");
                    EXPECT_TRUE(asked().empty());
                },
                pressEscape()});
    window().rowDialogs().EditTC(7);
    settle();
    EXPECT_TRUE(asked().empty());
}

TEST_F(TelCisloDialog, TheHiddenAlarmFlagTravelsWithTheRow) {
    SettingsRecord record;
    record.tabTC[1] = "+4201";
    record.tabTCPoplach[1] = kFlagOn;
    record.tabTC[2] = "+4202";
    load(record);

    bool shown = true;
    whileOpen({[&shown](ui::RowDialog& dialog) {
                   shown = in(dialog, "TCPoplach")->isVisible();
                   EXPECT_EQ(ui::controlFlag(in(dialog, "TCPoplach")), kFlagOn);
               },
               pressEnter()});
    pressRowButton(telephoneTable(), 1);
    EXPECT_FALSE(shown);
    EXPECT_EQ(flag("tabTCPoplach", 1), kFlagOn);
    EXPECT_TRUE(asked().empty());

    // Setting it on a second row asks while the dialog copies back; Yes
    // keeps only that row.
    harness.prompter.answers = {Answer::Yes};
    whileOpen({set("TCPoplach", "1"), pressEnter()});
    pressRowButton(telephoneTable(), 2);
    ASSERT_EQ(harness.prompter.asked.size(), 1u);
    EXPECT_EQ(harness.prompter.asked[0].title, rules::kSingleAlarmTitle);
    EXPECT_EQ(harness.prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(flag("tabTCPoplach", 1), kFlagOff);
    EXPECT_EQ(flag("tabTCPoplach", 2), kFlagOn);
}

TEST_F(TelCisloDialog, TheSettingsSizeFollowsOnlyOnceTheRowIsCopiedBack) {
    load(SettingsRecord{});
    const int before = harness.usage();
    int whileTyping = -1;
    whileOpen({typeNumber("+420123456"), [&](ui::RowDialog&) { whileTyping = harness.usage(); },
               pressEnter()});
    pressRowButton(telephoneTable(), 0);
    EXPECT_EQ(whileTyping, before);
    EXPECT_GT(harness.usage(), before);
}

} // namespace
} // namespace rq7::test
