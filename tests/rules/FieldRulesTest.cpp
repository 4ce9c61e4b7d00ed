#include "ui/main/rules/FieldRules.h"

#include "settings/SettingsFields.h"
#include "ui/main/rules/CharSets.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>

using namespace rq7;
using namespace rq7::rules;

namespace {

using Outcome = CheckResult::Outcome;

CheckResult check(const std::string& field, const std::string& text, const std::string& sister = {},
                  const std::string& prefix = "+420") {
    ValidationState state;
    FieldContext context{sister, prefix};
    return CheckField(field, text, context, state, Texts{});
}

} // namespace

TEST(FieldRuleTable, PagesAndLimits) {
    const struct {
        const char* field;
        int page;
        int max;
    } cases[] = {
        {"tabJmenoStanice", 0, 100},   {"tabPIN", 0, 8},
        {"tabTCcentra", 0, 0},         {"rtNotAuthorized", 0, 100},
        {"tabDobaPlatnostiSMS", 0, 5}, {"tabPrepnoutJTSCislo", 0, 1},
        {"tabTC(7)", 1, 50},           {"tabUTO", 1, 4},
        {"tabINPNazev(0)", 2, 100},    {"tabINPVyp(3)", 2, 100},
        {"tabINPHL(2)", 2, 100},       {"tabOUTZap(1)", 3, 100},
        {"tabOUTimpuls_4", 3, 100},    {"tabOUTimpulsLEN(5)", 3, 3},
        {"rtReCall", kNoPage, 100},    {"eeExistTime", kNoPage, 5},
        {"tabRFRWait", kNoPage, 3},    {"TC", kNoPage, 50},
        {"INPZap", kNoPage, 100},      {"OUTimpuls", kNoPage, 100},
        {"OUTimpulsLEN", kNoPage, 3},
    };
    for (const auto& c : cases) {
        const FieldRule& rule = RuleFor(c.field);
        EXPECT_EQ(rule.page, c.page) << "case: " << c.field;
        EXPECT_EQ(rule.maxLength, c.max) << "case: " << c.field;
    }
}

TEST(FieldRuleTable, EveryTextFieldOfTheRecordHasARuleWithItsWidth) {
    // The settings table and the rule table must agree on what a field takes,
    // or the windows would limit a field differently from the record.
    for (const SettingsField& f : settingsFields()) {
        const FieldRule* rule = FindRule(f.name());
        if (f.kind() != FieldKind::Text) {
            EXPECT_EQ(rule, nullptr) << "case: " << f.name();
            continue;
        }
        ASSERT_NE(rule, nullptr) << "case: " << f.name();
        EXPECT_EQ(rule->maxLength, f.maxWidth()) << "case: " << f.name();
        EXPECT_EQ(rule->perRow, f.row() >= 0) << "case: " << f.name();
    }
}

TEST(FieldRuleTable, NamesThatHaveNoRule) {
    for (const char* name : {"", "tabFoo", "tabTC(8)", "tabTC(", "tabTC()", "tabPIN(1)",
                             "tabTCPrijem(1)", "tabTC(x)", "tabTC(12)", "(3)"}) {
        EXPECT_EQ(FindRule(name), nullptr) << "case: " << name;
        EXPECT_THROW(RuleFor(name), std::out_of_range) << "case: " << name;
    }
    EXPECT_EQ(FindRule("tabTC"), FindRule("tabTC(3)"));
    EXPECT_EQ(FindRule("tabTC_3"), FindRule("tabTC(3)"));
}

TEST(CheckField, Rejections) {
    const struct {
        const char* field;
        const char* text;
        const char* key;
        int page;
        std::string_view appended;
    } cases[] = {
        {"tabPIN", "12a4", "msg045", 0, {}},
        {"tabTCcentra", "Operator <+420 603>", "msg046", 0, {}},
        {"tabTCcentra", "+420x", "msg046", 0, {}},
        {"rtNotAuthorized", "\xc4\x8d", "msg039", 0, PrintableChars},
        {"tabTC(2)", "+420 123", "msg037", 1, {}},
        {"tabTC(2)", "+", "msg037", 1, {}},     // no digits: cannot be stored
        {"tabTC(2)", "00", "msg037", 1, {}},    // would become "+" alone
        {"tabTC(2)", "12+34", "msg037", 1, {}}, // "+" only as the first character
        {"TC", "++1", "msg037", kNoPage, {}},
        {"tabUTO", "420a", "msg50", 1, {}},
        {"tabINPNazev(1)", "st", "msg044", 2, CommandKeywords},
        {"tabINPNazev(1)", "NO", "msg044", 2, CommandKeywords},
        {"tabINPNazev(1)", "Stav", "msg044", 2, CommandKeywords},
        {"tabINPLH(1)", "a[b", "msg042", 2, TextChars},
        {"tabINPZap(1)", "\xc4\x8d", "msg042", 2, TextChars},
        {"tabOUTNazev(0)", "Rele 1", "msg042", 3, IdentChars},
        {"tabOUTNazev(0)", "Rele-1", "msg042", 3, IdentChars},
        {"tabOUTVyp(0)", "RES", "msg044", 3, CommandKeywords},
        {"tabOUTVyp(0)", "BACK", "msg044", 3, CommandKeywords},
        {"tabOUTimpuls(0)", "pulse-1", "msg042", 3, IdentChars},
        {"TC", "+", "msg037", kNoPage, {}},
        {"OUTNazev", "Svetlo 1", "msg042", kNoPage, IdentChars},
        {"INPNazev", "zpet", "msg044", kNoPage, CommandKeywords},
        // The impulse length is a byte: digits only, 0 to 255.
        {"tabOUTimpulsLEN(0)", "abc", "msg060", 3, {}},
        {"OUTimpulsLEN", "256", "msg060", kNoPage, {}},
        {"OUTimpulsLEN", " 7", "msg060", kNoPage, {}},
        {"OUTimpulsLEN", "1.5", "msg060", kNoPage, {}},
        {"OUTimpulsLEN", "-1", "msg060", kNoPage, {}},
        {"OUTimpulsLEN", "", "msg060", kNoPage, {}},
    };
    const Texts texts;
    for (const auto& c : cases) {
        const CheckResult r = check(c.field, c.text);
        ASSERT_EQ(r.outcome, Outcome::Reject) << "case: " << c.field << " " << c.text;
        EXPECT_EQ(r.message.key, c.key) << "case: " << c.field << " " << c.text;
        EXPECT_EQ(r.message.text, texts.get(c.key) + std::string(c.appended))
            << "case: " << c.field << " " << c.text;
        EXPECT_EQ(r.message.icon, Icon::Critical) << "case: " << c.field;
        EXPECT_EQ(r.message.buttons, Buttons::Ok) << "case: " << c.field;
        EXPECT_EQ(r.message.title, "RQ7 Init") << "case: " << c.field;
        EXPECT_EQ(r.page, c.page) << "case: " << c.field << " " << c.text;
    }
}

TEST(CheckField, MessagesEndWithTheSetAsStored) {
    const CheckResult r = check("tabINPHL(0)", "[");
    const std::string tail(TextChars);
    ASSERT_GE(r.message.text.size(), tail.size());
    EXPECT_EQ(r.message.text.substr(r.message.text.size() - tail.size()), tail);
    EXPECT_EQ(r.message.text.substr(0, r.message.text.size() - tail.size()),
              "Toto pole m\u016f\u017ee obsahovat pouze tyto znaky: ");
}

TEST(CheckField, Accepted) {
    const struct {
        const char* field;
        const char* text;
    } cases[] = {
        {"tabPIN", ""},
        {"tabPIN", "1234"},
        {"tabJmenoStanice", "anything [at] all \xc4\x8d"},
        {"tabTCcentra", "Operator <+420603052000>"},
        {"tabTCcentra", "+420603052000"},
        {"tabTCcentra", ""},
        {"tabTC(1)", "+42061"},
        {"tabUTO", ""},
        {"tabINPNazev(0)", "STATES"},
        {"tabINPNazev(0)", "NOBACKX"},
        {"tabINPNazev(0)", "ZPETX"},
        {"tabINPNazev(0)", "E"},
        {"tabINPNazev(0)", "Rele 1"},
        {"tabINPNazev(0)", "Alarm zona 1"},
        {"tabOUTNazev(0)", "Rele_1"},
        {"tabOUTVyp(0)", "RESETX"},
        {"tabOUTimpulsLEN(0)", "0255"},
        {"OUTimpulsLEN", "0"},
        {"rtReCall", "[]"},
    };
    for (const auto& c : cases) {
        const CheckResult r = check(c.field, c.text);
        EXPECT_EQ(r.outcome, Outcome::Accept)
            << "case: " << c.field << " " << c.text << " -> " << r.message.text;
    }
}

TEST(CheckField, Replacements) {
    const struct {
        const char* field;
        const char* text;
        const char* prefix;
        const char* replacement;
    } cases[] = {
        {"tabTC(3)", "061", "+420", "+42061"},
        {"tabTC(3)", "0042061", "+420", "+42061"},
        {"tabTC(3)", "0042061", "", "+42061"},
        {"tabTC(3)", "42061", "+420", "+42042061"},
        {"TC", "00420123456789", "+420", "+420123456789"},
        {"tabDobaPlatnostiSMS", "0", "", "1"},
        {"tabDobaPlatnostiSMS", "45", "", "30"},
        {"tabDobaPlatnostiSMS", "7.9", "", "7"},
        {"tabDobaPlatnostiSMS", "abc", "", "1"},
        {"tabDobaPlatnostiSMS", "", "", "1"},
        {"tabDobaPlatnostiSMS", "9E999", "", "30"},
        {"tabPrepnoutJTSCislo", "x", "", "0"},
    };
    for (const auto& c : cases) {
        const CheckResult r = check(c.field, c.text, {}, c.prefix);
        EXPECT_EQ(r.outcome, Outcome::Replace) << "case: " << c.field << " " << c.text;
        EXPECT_EQ(r.replacement, c.replacement) << "case: " << c.field << " " << c.text;
    }
    EXPECT_EQ(check("tabDobaPlatnostiSMS", "30").outcome, Outcome::Accept);
    EXPECT_EQ(check("tabTC(0)", "061", {}, "").outcome, Outcome::Accept);
}

TEST(CheckField, EmptyNumberAsksForTheFlagCheckOnlyInTheMainWindow) {
    EXPECT_TRUE(check("tabTC(2)", "").runPhoneFlags);
    EXPECT_FALSE(check("tabTC(2)", "+42061").runPhoneFlags);
    EXPECT_FALSE(check("tabTC(2)", "a").runPhoneFlags);
    EXPECT_FALSE(check("TC", "").runPhoneFlags);
}

TEST(CheckField, ImpulseNameInTheOutputDialogHasFixedTexts) {
    const CheckResult chars = check("OUTimpuls", "pulse-1");
    ASSERT_TRUE(chars.rejected());
    EXPECT_EQ(chars.message.key, "");
    EXPECT_EQ(chars.message.title, "RQ7 - chyba");
    EXPECT_EQ(chars.message.icon, Icon::Critical);
    EXPECT_EQ(chars.message.text,
              "N\u00e1zev 'Impuls' m\u016f\u017ee obsahovat pouze tyto znaky: " +
                  std::string(IdentChars));
    const CheckResult keyword = check("OUTimpuls", "reset");
    ASSERT_TRUE(keyword.rejected());
    EXPECT_EQ(keyword.message.title, "RQ7 - chyba");
    EXPECT_EQ(keyword.message.text,
              "N\u00e1zev 'impuls' nesm\u00ed b\u00fdt \u017e\u00e1dn\u00e9 z t\u011bchto "
              "kl\u00ed\u010dov\u00fdch slov (ani jejich p\u0159edpony): " +
                  std::string(CommandKeywords));
    // The main window's hidden impulse column uses the looked-up texts.
    EXPECT_EQ(check("tabOUTimpuls(1)", "reset").message.key, "msg044");
}

// Leaving one state field with a duplicate, then the sister field that the
// focus bounced into, then the first field again.
TEST(StateNameRule, OncePerBounce) {
    for (const char* prefix : {"tabINP", "tabOUT", "INP", "OUT"}) {
        const std::string zap = std::string(prefix) + "Zap" + (prefix[0] == 't' ? "(1)" : "");
        const std::string vyp = std::string(prefix) + "Vyp" + (prefix[0] == 't' ? "(1)" : "");
        ValidationState state;
        const Texts texts;
        const auto leave = [&](const std::string& field, const char* text, const char* sister) {
            return CheckField(field, text, FieldContext{sister, ""}, state, texts);
        };
        CheckResult r = leave(vyp, "On", "ON");
        ASSERT_TRUE(r.rejected()) << "case: " << prefix;
        EXPECT_EQ(r.message.key, "msg040") << "case: " << prefix;
        EXPECT_TRUE(state.SuppressCrossChecks) << "case: " << prefix;
        // The sister field loses the focus at once: silent, and clears the guard.
        EXPECT_FALSE(leave(zap, "ON", "On").rejected()) << "case: " << prefix;
        EXPECT_FALSE(state.SuppressCrossChecks) << "case: " << prefix;
        // Leaving the field again reports the pair again.
        EXPECT_TRUE(leave(vyp, "On", "ON").rejected()) << "case: " << prefix;
        // Only the sister is silenced: the same field left once more, still
        // a duplicate, is reported again (never let through on a second try).
        EXPECT_TRUE(leave(vyp, "x", "X").rejected()) << "case: " << prefix;
        EXPECT_TRUE(state.SuppressCrossChecks) << "case: " << prefix;
        // Two empty names and equal names in different rows are allowed.
        EXPECT_FALSE(leave(vyp, "", "").rejected()) << "case: " << prefix;
        EXPECT_FALSE(leave(zap, "Open", "Closed").rejected()) << "case: " << prefix;
    }
}

TEST(StateNameRule, OutputKeywordTestAfterTheStateName) {
    ValidationState state;
    const Texts texts;
    const auto leave = [&](const char* field, const char* text, const char* sister) {
        return CheckField(field, text, FieldContext{sister, ""}, state, texts);
    };
    // A duplicate that is also a keyword: msg040 wins, the keyword test is skipped.
    EXPECT_EQ(leave("tabOUTVyp(0)", "back", "BACK").message.key, "msg040");
    // The bounced sister passes the state rule, then fails the keyword test:
    // the guard keeps its value.
    EXPECT_EQ(leave("tabOUTZap(0)", "BACK", "back").message.key, "msg044");
    EXPECT_TRUE(state.SuppressCrossChecks);
    // A character failure leaves the guard as it is, too.
    EXPECT_EQ(leave("tabOUTZap(0)", "a b", "c").message.key, "msg042");
    EXPECT_TRUE(state.SuppressCrossChecks);
    // The guard swallows the sister's duplicate only...
    EXPECT_FALSE(leave("tabOUTZap(0)", "xyz", "XYZ").rejected());
    EXPECT_FALSE(state.SuppressCrossChecks);
    // ...another row's pair is checked as usual.
    EXPECT_EQ(leave("tabOUTZap(3)", "on", "ON").message.key, "msg040");
    // An input state name is not a command word: no keyword test.
    EXPECT_FALSE(leave("tabINPZap(0)", "BACK", "").rejected());
}

TEST(StateNameRule, TheGuardEndsOnceAnotherFieldIsLeft) {
    const Texts texts;
    const struct {
        const char* bounced;
        const char* other; // neither the bounced field nor its sister
        const char* sister;
    } cases[] = {
        {"INPVyp", "INPNazev", "INPZap"},
        {"tabOUTZap(1)", "tabOUTVyp(2)", "tabOUTVyp(1)"},
    };
    for (const auto& c : cases) {
        ValidationState state;
        const auto leave = [&](const char* field, const char* text, const char* sister) {
            return CheckField(field, text, FieldContext{sister, ""}, state, texts);
        };
        ASSERT_EQ(leave(c.bounced, "On", "on").message.key, "msg040") << "case: " << c.bounced;
        EXPECT_FALSE(leave(c.other, "x", "").rejected()) << "case: " << c.bounced;
        EXPECT_FALSE(state.SuppressCrossChecks) << "case: " << c.bounced;
        EXPECT_EQ(leave(c.sister, "on", "On").message.key, "msg040") << "case: " << c.bounced;
    }
    // The guard the image reader sets names no field and stays.
    ValidationState loading;
    loading.SuppressCrossChecks = true;
    loading.endBounce();
    EXPECT_TRUE(loading.SuppressCrossChecks);
}

// Each field's character class, shown by one character the class holds and
// one its nearest neighbour holds but it does not (a space is text but no
// identifier, "[" printable but no text, "+" part of a number but no PIN).
TEST(CheckField, EveryFieldTakesItsOwnCharacterClass) {
    const struct {
        const char* field;
        const char* inside;
        const char* outside;
        const char* key;
    } cases[] = {
        {"tabPIN", "17", "1+", "msg045"},
        {"tabTCcentra", "+4206", "+420 6", "msg046"},
        {"rtNotAuthorized", "x[", "x\xc4\x8d", "msg039"},
        {"tabTC(0)", "+4206", "+420 6", "msg037"},
        {"TC", "+4206", "+420 6", "msg037"},
        {"tabUTO", "+42", "+4 2", "msg50"},
        {"tabINPNazev(0)", "x y", "x[y", "msg042"},
        {"tabINPZap(0)", "x y", "x[y", "msg042"},
        {"tabINPVyp(0)", "x y", "x[y", "msg042"},
        {"tabINPLH(0)", "x y", "x[y", "msg042"},
        {"tabINPHL(0)", "x y", "x[y", "msg042"},
        {"INPNazev", "x y", "x[y", "msg042"},
        {"INPZap", "x y", "x[y", "msg042"},
        {"INPVyp", "x y", "x[y", "msg042"},
        {"INPLH", "x y", "x[y", "msg042"},
        {"INPHL", "x y", "x[y", "msg042"},
        {"tabOUTNazev(0)", "x_y", "x y", "msg042"},
        {"tabOUTZap(0)", "x_y", "x y", "msg042"},
        {"tabOUTVyp(0)", "x_y", "x y", "msg042"},
        {"tabOUTimpuls(0)", "x_y", "x y", "msg042"},
        {"OUTNazev", "x_y", "x y", "msg042"},
        {"OUTZap", "x_y", "x y", "msg042"},
        {"OUTVyp", "x_y", "x y", "msg042"},
        {"OUTimpuls", "x_y", "x y", ""}, // the dialog's own fixed text
    };
    std::set<std::string> covered;
    for (const auto& c : cases) {
        covered.insert(FieldName::parse(c.field)->control);
        EXPECT_NE(check(c.field, c.inside).outcome, Outcome::Reject)
            << "case: " << c.field << " '" << c.inside << "'";
        const CheckResult outside = check(c.field, c.outside);
        EXPECT_EQ(outside.outcome, Outcome::Reject)
            << "case: " << c.field << " '" << c.outside << "'";
        EXPECT_EQ(outside.message.key, c.key) << "case: " << c.field;
    }
    for (const FieldRule& rule : FieldRules()) {
        for (const FieldCheck& fieldCheck : rule.checks) {
            if (fieldCheck.kind == CheckKind::Chars) {
                EXPECT_EQ(covered.count(std::string(rule.name)), 1u) << "no case for " << rule.name;
            }
        }
    }
}
