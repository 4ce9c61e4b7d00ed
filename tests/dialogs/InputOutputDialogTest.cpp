// The logical-input and logical-output dialogs: copy back and cancel, the
// field checks with their messages, the state-name message once per bounce,
// the impulse name's own texts and the impulse length's byte check.

#include "tests/dialogs/RowDialogFixture.h"
#include "ui/main/rules/CharSets.h"
#include "ui/main/rules/RuleMessages.h"

#include <QLineEdit>
#include <algorithm>

namespace rq7::test {
namespace {

class InputOutputDialog : public RowDialogTest {
protected:
    // Types into a dialog field and moves the focus on. Key clicks cover
    // ASCII only; other text is inserted as an input method would.
    Step typeInto(const char* field, const std::string& text, const char* next) {
        return [this, field, text, next](ui::RowDialog&) {
            const bool ascii =
                std::all_of(text.begin(), text.end(), [](char ch) { return ch > 0; });
            harness.type(field, ascii ? text : std::string());
            if (!ascii)
                harness.edit(field)->insert(QString::fromStdString(text));
            harness.focus(next);
        };
    }
    Step expectAsked(std::vector<std::string> keys, const char* focus) {
        return [this, keys, focus](ui::RowDialog&) {
            EXPECT_EQ(asked(), keys);
            EXPECT_EQ(harness.focused(), focus);
        };
    }
};

TEST_F(InputOutputDialog, CancelLeavesTheRowAsItWasAndNoRowCheckFollows) {
    SettingsRecord record;
    record.tabINPNazev[3] = "Dvere";
    record.tabINPZpr[3] = kFlagOn;
    record.tabOUTNazev[3] = "Rele";
    record.tabOUTimpulsLEN[3] = "5";
    for (const CancelWay& way : cancelWays()) {
        load(record);
        const SettingsRecord before = window().record();
        whileOpen({set("INPNazev", "Okno"), set("INPZap", "a"), set("INPVyp", "b"),
                   set("INPLH", "c"), set("INPHL", "d"), set("INPZpr", "0"), set("INPLHEvent", "1"),
                   set("INPHLEvent", "1"), set("INPNeg", "1"), way.cancel});
        pressRowButton(inputTable(), 3);
        whileOpen({set("OUTNazev", "Sirena"), set("OUTZap", "A"), set("OUTVyp", "B"),
                   set("OUTZpr", "1"), set("OUTNeg", "1"), set("OUTimpuls", "P"),
                   set("OUTimpulsLEN", "9"), way.cancel});
        pressRowButton(outputTable(), 3);
        EXPECT_TRUE(window().record() == before) << "case: " << way.name;
        EXPECT_TRUE(window().rowDialogs().vstup()->cancelFlag()) << "case: " << way.name;
        EXPECT_TRUE(window().rowDialogs().vystup()->cancelFlag()) << "case: " << way.name;
        EXPECT_TRUE(asked().empty()) << "case: " << way.name;
    }
}

TEST_F(InputOutputDialog, OkCopiesEveryValueBackIntoItsRow) {
    load(SettingsRecord{});
    whileOpen({set("INPNazev", "Okno"), set("INPZap", "otevreno"), set("INPVyp", "zavreno"),
               set("INPLH", "Okno otevreno"), set("INPHL", "Okno zavreno"), set("INPZpr", "1"),
               set("INPLHEvent", "1"), set("INPHLEvent", "0"), set("INPNeg", "1"), pressEnter()});
    pressRowButton(inputTable(), 6);
    whileOpen({set("OUTNazev", "Sirena"), set("OUTZap", "ZAP"), set("OUTVyp", "VYP"),
               set("OUTZpr", "1"), set("OUTNeg", "0"), set("OUTimpuls", "HOUK"),
               set("OUTimpulsLEN", "30"), pressEnter()});
    pressRowButton(outputTable(), 2);

    SettingsRecord expected;
    expected.tabINPNazev[6] = "Okno";
    expected.tabINPZap[6] = "otevreno";
    expected.tabINPVyp[6] = "zavreno";
    expected.tabINPLH[6] = "Okno otevreno";
    expected.tabINPHL[6] = "Okno zavreno";
    expected.tabINPZpr[6] = kFlagOn;
    expected.tabINPLHEvent[6] = kFlagOn;
    expected.tabINPNeg[6] = kFlagOn;
    expected.tabOUTNazev[2] = "Sirena";
    expected.tabOUTZap[2] = "ZAP";
    expected.tabOUTVyp[2] = "VYP";
    expected.tabOUTZpr[2] = kFlagOn;
    expected.tabOUTimpuls[2] = "HOUK";
    expected.tabOUTimpulsLEN[2] = "30";
    EXPECT_TRUE(window().record() == expected);
    EXPECT_FALSE(window().rowDialogs().vstup()->cancelFlag());
    EXPECT_TRUE(asked().empty());
}

TEST_F(InputOutputDialog, EqualStateNamesAreReportedOncePerBounce) {
    const struct {
        const char* name;
        TableInfo table;
        const char* on;
        const char* off;
        const char* onText;
        const char* offText;
        const char* after; // the control after the state-0 name in tab order
    } cases[] = {
        {"input, state 0 left", inputTable(), "INPZap", "INPVyp", "zap", "Zap", "INPZap"},
        {"output, state 0 left", outputTable(), "OUTZap", "OUTVyp", "on", "ON", "OUTZap"},
    };
    for (const auto& c : cases) {
        load(SettingsRecord{});
        whileOpen({typeInto(c.on, c.onText, c.off), typeInto(c.off, c.offText, c.on),
                   expectAsked({"msg040"}, c.off),
                   [this](ui::RowDialog&) {
                       EXPECT_TRUE(window().validation().SuppressCrossChecks);
                       harness.prompter.clear();
                   },
                   // Leaving the same field again reports the pair again.
                   [this, c](ui::RowDialog&) { harness.focus(c.after); },
                   expectAsked({"msg040"}, c.off),
                   [this](ui::RowDialog&) { harness.prompter.clear(); },
                   // A different name passes and lifts the guard.
                   typeInto(c.off, "Jiny", c.on), expectAsked({}, c.on), pressEscape()});
        pressRowButton(c.table, 0);
        EXPECT_TRUE(asked().empty()) << "case: " << c.name;
        EXPECT_FALSE(window().validation().SuppressCrossChecks) << "case: " << c.name;
    }
}

TEST_F(InputOutputDialog, EqualStateNamesLeftFromEitherFieldGiveOneMessage) {
    // Zap typed second, into state 1, and left for the next control.
    load(SettingsRecord{});
    whileOpen({typeInto("INPVyp", "Zap", "INPZap"), typeInto("INPZap", "zap", "INPLHEvent"),
               expectAsked({"msg040"}, "INPZap"), pressEscape()});
    pressRowButton(inputTable(), 1);
    EXPECT_EQ(asked(), std::vector<std::string>{"msg040"});
    // The cancelled dialog took its guard with it: the flag check of an empty
    // telephone row speaks again, and so does the next dialog's pair.
    EXPECT_FALSE(window().validation().SuppressCrossChecks);
    harness.prompter.clear();
    window().showPage(telephoneTable().page);
    harness.click("tabTCPrijem_4");
    EXPECT_EQ(asked(), std::vector<std::string>{"msg051"});
    harness.prompter.clear();
    whileOpen({typeInto("INPZap", "abc", "INPVyp"), typeInto("INPVyp", "ABC", "INPZap"),
               expectAsked({"msg040"}, "INPVyp"), pressEscape()});
    pressRowButton(inputTable(), 3);
}

TEST_F(InputOutputDialog, TheStateNameMessageSkipsTheKeywordCheckOnce) {
    load(SettingsRecord{});
    const auto moveTo = [this](const char* name) {
        return [this, name](ui::RowDialog&) { harness.focus(name); };
    };
    // Both names are also keyword prefixes; the equal names are reported
    // first, and again each time the field is left while they are equal;
    // once they differ, the field's keyword check runs.
    const auto clear = [this](ui::RowDialog&) { harness.prompter.clear(); };
    whileOpen({set("OUTZap", "ST"), set("OUTVyp", "st"), moveTo("OUTVyp"), moveTo("OUTZap"),
               expectAsked({"msg040"}, "OUTVyp"), clear, moveTo("OUTZap"),
               expectAsked({"msg040"}, "OUTVyp"), clear, set("OUTVyp", "s"), moveTo("OUTZap"),
               expectAsked({"msg044"}, "OUTVyp"), pressEscape()});
    pressRowButton(outputTable(), 0);
}

TEST_F(InputOutputDialog, FieldChecksShowTheirMessages) {
    const std::string keywords(rules::CommandKeywords);
    const std::string textChars(rules::TextChars);
    const std::string identChars(rules::IdentChars);
    const std::string msg042 = Texts{}.get("msg042");
    const std::string msg044 = Texts{}.get("msg044");
    const std::string impulseChars =
        "N\u00e1zev 'Impuls' m\u016f\u017ee obsahovat pouze tyto znaky: " + identChars;
    const std::string impulseKeyword =
        "N\u00e1zev 'impuls' nesm\u00ed b\u00fdt \u017e\u00e1dn\u00e9 z t\u011bchto "
        "kl\u00ed\u010dov\u00fdch slov (ani jejich p\u0159edpony): " +
        keywords;
    const struct {
        const char* name;
        TableInfo table;
        const char* field;
        const char* text;
        const char* next;
        std::string key; // empty for the fixed texts
        std::string message;
        std::string title;
    } cases[] = {
        {"input name Stav", inputTable(), "INPNazev", "Stav", "INPZpr", "msg044", msg044 + keywords,
         "RQ7 Init"},
        {"input name with [", inputTable(), "INPNazev", "a[b", "INPZpr", "msg042",
         msg042 + textChars, "RQ7 Init"},
        {"report text with \u010d", inputTable(), "INPLH", "\u010didlo", "INPHLEvent", "msg042",
         msg042 + textChars, "RQ7 Init"},
        {"report text with ~", inputTable(), "INPHL", "a~", "INPNeg", "msg042", msg042 + textChars,
         "RQ7 Init"},
        {"state name with {", inputTable(), "INPZap", "{", "INPLHEvent", "msg042",
         msg042 + textChars, "RQ7 Init"},
        {"output name Svetlo 1", outputTable(), "OUTNazev", "Svetlo 1", "OUTZpr", "msg042",
         msg042 + identChars, "RQ7 Init"},
        {"output state BACK", outputTable(), "OUTVyp", "BACK", "OUTZap", "msg044",
         msg044 + keywords, "RQ7 Init"},
        {"output state Rele-1", outputTable(), "OUTZap", "Rele-1", "OUTNeg", "msg042",
         msg042 + identChars, "RQ7 Init"},
        {"impulse pulse-1", outputTable(), "OUTimpuls", "pulse-1", "OUTimpulsLEN", "", impulseChars,
         std::string(rules::kImpulseTitle)},
        {"impulse reset", outputTable(), "OUTimpuls", "reset", "OUTimpulsLEN", "", impulseKeyword,
         std::string(rules::kImpulseTitle)},
    };
    for (const auto& c : cases) {
        load(SettingsRecord{});
        std::vector<Message> seen;
        std::string focus;
        std::string kept;
        whileOpen({typeInto(c.field, c.text, c.next),
                   [&, c](ui::RowDialog& dialog) {
                       seen = harness.prompter.asked;
                       focus = harness.focused();
                       kept = ui::controlText(in(dialog, c.field));
                   },
                   pressEscape()});
        pressRowButton(c.table, 0);
        ASSERT_EQ(seen.size(), 1u) << "case: " << c.name;
        EXPECT_EQ(seen[0].key, c.key) << "case: " << c.name;
        EXPECT_EQ(seen[0].text, c.message) << "case: " << c.name;
        EXPECT_EQ(seen[0].title, c.title) << "case: " << c.name;
        EXPECT_EQ(seen[0].icon, Icon::Critical) << "case: " << c.name;
        EXPECT_EQ(focus, c.field) << "case: " << c.name;
        EXPECT_EQ(kept, c.text) << "case: " << c.name;
        EXPECT_TRUE(asked().size() == 1) << "case: " << c.name << ": Esc adds nothing";
    }
}

TEST_F(InputOutputDialog, AcceptableTextsPassSilently) {
    const struct {
        TableInfo table;
        const char* field;
        const char* text;
        const char* next;
    } cases[] = {
        {inputTable(), "INPNazev", "Alarm zona 1", "INPZpr"},
        {inputTable(), "INPNazev", "STATES", "INPZpr"},
        {inputTable(), "INPLH", "Poplach! (zona 1)", "INPHLEvent"},
        {outputTable(), "OUTNazev", "Rele_1", "OUTZpr"},
        {outputTable(), "OUTZap", "RESETX", "OUTNeg"},
        {outputTable(), "OUTimpuls", "PULS", "OUTimpulsLEN"},
        {outputTable(), "OUTimpulsLEN", "255", "OUTNazev"},
    };
    for (const auto& c : cases) {
        load(SettingsRecord{});
        whileOpen({typeInto(c.field, c.text, c.next), pressEscape()});
        pressRowButton(c.table, 0);
        EXPECT_TRUE(asked().empty()) << "case: " << c.field << " " << c.text;
    }
}

TEST_F(InputOutputDialog, TheImpulseLengthMustBeAByteBeforeItIsTakenOver) {
    load(SettingsRecord{});
    whileOpen({typeInto("OUTimpulsLEN", "abc", "OUTNazev"), expectAsked({"msg060"}, "OUTimpulsLEN"),
               [this](ui::RowDialog& dialog) {
                   EXPECT_EQ(ui::lineEditOf(in(dialog, "OUTimpulsLEN"))->selectedText(), "abc");
                   harness.prompter.clear();
               },
               // Enter with the focus still in it checks it too.
               [this](ui::RowDialog&) { harness.type("OUTimpulsLEN", "256"); }, pressEnter(),
               expectAsked({"msg060"}, "OUTimpulsLEN"),
               [this](ui::RowDialog&) { harness.type("OUTimpulsLEN", "25"); }, pressEnter()});
    pressRowButton(outputTable(), 5);
    EXPECT_EQ(harness.text("tabOUTimpulsLEN_5"), "25");
}

TEST_F(InputOutputDialog, EnterChecksTheFieldThatStillHasTheFocus) {
    load(SettingsRecord{});
    whileOpen({[this](ui::RowDialog&) { harness.type("INPNazev", "reset"); }, pressEnter(),
               expectAsked({"msg044"}, "INPNazev"),
               [this](ui::RowDialog&) { harness.type("INPNazev", "Vstup A"); }, pressEnter()});
    pressRowButton(inputTable(), 0);
    EXPECT_EQ(harness.text("tabINPNazev_0"), "Vstup A");
    EXPECT_EQ(asked(), std::vector<std::string>{"msg044"});
}

TEST_F(InputOutputDialog, TheSettingsSizeFollowsOnlyOnceTheRowIsCopiedBack) {
    load(SettingsRecord{});
    const int before = harness.usage();
    int whileOpenUsage = -1;
    whileOpen({typeInto("OUTimpuls", "PULS", "OUTimpulsLEN"),
               [&](ui::RowDialog&) { whileOpenUsage = harness.usage(); }, pressEnter()});
    pressRowButton(outputTable(), 0);
    EXPECT_EQ(whileOpenUsage, before);
    EXPECT_EQ(harness.usage(), before + 4);
}

} // namespace
} // namespace rq7::test
