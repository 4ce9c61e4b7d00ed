#include "ui/main/rules/PhoneFlagRules.h"

#include "tests/support/ScriptedPrompter.h"
#include "ui/main/rules/RuleMessages.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace rq7;
using namespace rq7::rules;
using rq7::test::ScriptedPrompter;

namespace {

// The telephone page as the main window wires it: changing a check box, by
// the user or by the program, runs its click handler (accept and event flags:
// CheckPhoneFlags; alarm flag: the single-alarm rule).
class FakePhonePage : public PhoneRows {
public:
    SettingsRecord record;
    ValidationState state;
    ScriptedPrompter prompter;
    Texts texts;

    std::string number(int row) const override { return rows().number(row); }
    Flag flag(int row, PhoneFlag which) const override { return rows().flag(row, which); }
    void setFlag(int row, PhoneFlag which, Flag value) override {
        if (flag(row, which) == value)
            return; // no change, no click
        rows().setFlag(row, which, value);
        if (which == PhoneFlag::Poplach)
            SingleAlarmRule(*this, row, state, texts, prompter);
        else
            CheckPhoneFlags(*this, row, state, texts, prompter);
    }

private:
    RecordPhoneRows rows() const { return RecordPhoneRows(const_cast<SettingsRecord&>(record)); }
};

Rows<Flag> alarms(const FakePhonePage& page) {
    return page.record.tabTCPoplach;
}

} // namespace

TEST(CheckPhoneFlags, EmptyNumberClearsEveryFlagWithItsMessage) {
    const struct {
        const char* name;
        Flag prijem, poplach, udalost;
        std::vector<std::string> messages;
    } cases[] = {
        {"none set", 0, 0, 0, {}},
        {"accept and event", 1, 0, 1, {"msg051", "msg053"}},
        {"all three", 1, 1, 1, {"msg051", "msg052", "msg053"}},
        {"grey counts as off", 2, 0, 0, {}},
    };
    for (const auto& c : cases) {
        FakePhonePage page;
        page.record.tabTCPrijem[2] = c.prijem;
        page.record.tabTCPoplach[2] = c.poplach;
        page.record.tabTCUdalost[2] = c.udalost;
        const bool ok = CheckPhoneFlags(page, 2, page.state, page.texts, page.prompter);
        EXPECT_EQ(ok, c.messages.empty()) << "case: " << c.name;
        EXPECT_EQ(page.prompter.keys(), c.messages) << "case: " << c.name;
        EXPECT_EQ(page.record.tabTCPrijem[2], c.prijem == 1 ? 0 : c.prijem) << "case: " << c.name;
        EXPECT_EQ(page.record.tabTCPoplach[2], 0) << "case: " << c.name;
        EXPECT_EQ(page.record.tabTCUdalost[2], 0) << "case: " << c.name;
        for (const Message& m : page.prompter.asked)
            EXPECT_EQ(m.icon, Icon::Exclamation) << "case: " << c.name;
    }
}

TEST(CheckPhoneFlags, NumberPresentOrSuppressedLeavesFlags) {
    FakePhonePage page;
    page.record.tabTC[1] = "+42061";
    page.record.tabTCPrijem[1] = 1;
    EXPECT_TRUE(CheckPhoneFlags(page, 1, page.state, page.texts, page.prompter));
    page.record.tabTCPrijem[0] = 1;
    page.state.SuppressCrossChecks = true; // loading an image
    EXPECT_TRUE(CheckPhoneFlags(page, 0, page.state, page.texts, page.prompter));
    EXPECT_TRUE(page.prompter.asked.empty());
    EXPECT_EQ(page.record.tabTCPrijem[0], 1);
}

TEST(CheckPhoneFlags, AcceptFlagOnEmptyRowClearsItself) {
    FakePhonePage page;
    page.setFlag(4, PhoneFlag::Prijem, 1); // the user ticks it
    EXPECT_EQ(page.prompter.keys(), std::vector<std::string>{"msg051"});
    EXPECT_EQ(page.record.tabTCPrijem[4], 0);
}

TEST(SingleAlarmRule, EmptyNumberGetsMsg052AndNoPrompt) {
    FakePhonePage page;
    page.record.tabTC[0] = "+1";
    page.record.tabTCPoplach[0] = 1;
    page.setFlag(3, PhoneFlag::Poplach, 1);
    EXPECT_EQ(page.prompter.keys(), std::vector<std::string>{"msg052"});
    EXPECT_EQ(page.record.tabTCPoplach[3], 0);
    EXPECT_EQ(page.record.tabTCPoplach[0], 1);
    EXPECT_FALSE(page.state.AlarmClickBusy);
}

TEST(SingleAlarmRule, SecondRowPrompts) {
    const struct {
        const char* name;
        std::vector<Answer> answers; // none: the box is closed
        Rows<Flag> expected;
    } cases[] = {
        {"Yes keeps only this row", {Answer::Yes}, {0, 0, 0, 0, 0, 1, 0, 0}},
        {"No keeps the earlier row", {Answer::No}, {0, 1, 0, 0, 0, 0, 0, 0}},
        {"closing the box is No", {}, {0, 1, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        FakePhonePage page;
        for (int r = 0; r < kRowCount; ++r)
            page.record.tabTC[static_cast<std::size_t>(r)] = "+42060000" + std::to_string(r);
        page.setFlag(1, PhoneFlag::Poplach, 1); // the first: no prompt
        EXPECT_TRUE(page.prompter.asked.empty()) << "case: " << c.name;
        page.prompter.answers.assign(c.answers.begin(), c.answers.end());
        page.setFlag(5, PhoneFlag::Poplach, 1);
        // One prompt only: the nested clicks raised by the rule's own
        // changes do not ask again.
        ASSERT_EQ(page.prompter.asked.size(), 1u) << "case: " << c.name;
        const Message& m = page.prompter.asked[0];
        EXPECT_EQ(m.title, "TMVinit - info") << "case: " << c.name;
        EXPECT_EQ(m.key, "") << "case: " << c.name;
        EXPECT_EQ(m.buttons, Buttons::YesNo) << "case: " << c.name;
        EXPECT_EQ(m.icon, Icon::Exclamation) << "case: " << c.name;
        EXPECT_EQ(m.text, "V t\u00e9to verzi je mo\u017eno povolit vol\u00e1n\u00ed pouze na "
                          "jedno telefonn\u00ed \u010d\u00edslo. M\u00e1 to b\u00fdt "
                          "pr\u00e1v\u011b toto?")
            << "case: " << c.name;
        EXPECT_EQ(alarms(page), c.expected) << "case: " << c.name;
        EXPECT_FALSE(page.state.AlarmClickBusy) << "case: " << c.name;
    }
}

TEST(SingleAlarmRule, BusyWhileAskingAndNestedRunsDoNotPrompt) {
    FakePhonePage page;
    page.record.tabTC[0] = "+1";
    page.record.tabTC[1] = "+2";
    page.record.tabTC[2] = "+3";
    page.record.tabTCPoplach[0] = 1;
    page.record.tabTCPoplach[1] = 1;
    bool busyDuringAsk = false;
    page.prompter.onAsk = [&](const Message&) { busyDuringAsk = page.state.AlarmClickBusy; };
    page.prompter.answers = {Answer::Yes};
    page.setFlag(2, PhoneFlag::Poplach, 1);
    EXPECT_TRUE(busyDuringAsk);
    EXPECT_EQ(page.prompter.asked.size(), 1u);
    EXPECT_EQ(alarms(page), (Rows<Flag>{0, 0, 1, 0, 0, 0, 0, 0}));
    // Clearing a flag never prompts.
    page.setFlag(2, PhoneFlag::Poplach, 0);
    EXPECT_EQ(page.prompter.asked.size(), 1u);
}

TEST(SingleAlarmRule, GuardIsReleasedWhenThePromptThrows) {
    FakePhonePage page;
    page.record.tabTC[0] = "+1";
    page.record.tabTC[1] = "+2";
    page.record.tabTCPoplach[0] = 1;
    page.prompter.onAsk = [](const Message&) { throw std::runtime_error("window gone"); };
    EXPECT_THROW(page.setFlag(1, PhoneFlag::Poplach, 1), std::runtime_error);
    EXPECT_FALSE(page.state.AlarmClickBusy);
}

// Loading an image sets the flags row by row with the cross checks silenced:
// the single-alarm prompt still comes, for the second flagged row, while
// msg051..msg053 do not.
TEST(SingleAlarmRule, LoadingTwoAlarmRowsPromptsOnceForTheSecond) {
    FakePhonePage page;
    SettingsRecord image;
    image.tabTC[2] = "+1";
    image.tabTC[6] = "+2";
    image.tabTCPoplach[2] = 1;
    image.tabTCPoplach[6] = 1;
    image.tabTCPrijem[4] = 1; // on an empty number
    page.state.SuppressCrossChecks = true;
    page.prompter.answers = {Answer::No};
    for (int r = 0; r < kRowCount; ++r) {
        const auto at = static_cast<std::size_t>(r);
        page.record.tabTC[at] = image.tabTC[at];
        page.setFlag(r, PhoneFlag::Prijem, image.tabTCPrijem[at]);
        page.setFlag(r, PhoneFlag::Poplach, image.tabTCPoplach[at]);
    }
    page.state.SuppressCrossChecks = false;
    EXPECT_EQ(page.prompter.keys(), std::vector<std::string>{std::string(kSingleAlarmText)});
    EXPECT_EQ(alarms(page), (Rows<Flag>{0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(page.record.tabTCPrijem[4], 1);
}
