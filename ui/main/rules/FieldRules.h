#pragma once
// The one table of field rules that the main window, the row dialogs and
// rq7ctl all apply: for every text field, its page, its typing limit and the
// checks run when the field is left, in order, each with its message.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/rules/ValidationState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rq7::rules {

enum class CheckKind {
    Chars,       // every character in `chars` (of the SMS-centre number part when smscNumber)
    Keyword,     // not a command keyword nor a prefix of one
    StateName,   // the state-name rule against the row's other state name
    PhoneNumber, // a non-empty number: "+" alone is refused, else completed to international form
    PhoneFlags,  // an empty number: the caller runs CheckPhoneFlags for the row
    Clamp,       // replaced by ClampNumber(text, min, max, 0); never refused
    Integer,     // decimal digits only, of a value from min to max
};

struct FieldCheck {
    CheckKind kind = CheckKind::Chars;
    std::string_view chars{};     // Chars: the allowed set
    std::string_view key{};       // message key; empty when the text is fixed
    std::string_view fixedText{}; // text shown as is (no lookup) when key is empty
    std::string_view appended{};  // set or keyword list joined to the text
    std::string_view title{};     // message title; empty: the application title
    Icon icon = Icon::Critical;
    double min = 0;          // Clamp, Integer
    double max = 0;          // Clamp, Integer
    bool smscNumber = false; // Chars: test the number part of an SMS-centre text
};

inline constexpr int kNoPage = -1;

struct FieldRule {
    std::string_view name;          // control name without row: "tabTC", "OUTimpuls"
    bool perRow = false;            // a row control, index 0..7
    int page = kNoPage;             // page of TabList to bring to front; kNoPage in dialogs
    std::vector<FieldCheck> checks; // run in order; the first failure ends them
    std::string_view sister{};      // state names: the row's other state name
    int maxLength = 0; // most characters accepted while typing (FieldMaxWidth); 0: no limit
};

// Every text field of the main window (pages 0 to 3 and the hidden ones,
// plus tabUTO) followed by the text fields of the three row dialogs.
const std::vector<FieldRule>& FieldRules();

// A field name as the settings text and the windows write it: "tabPIN",
// "tabTC(3)", "tabTC_3" or just "tabTC".
struct FieldName {
    std::string control;    // "tabTC"
    std::optional<int> row; // 3
    static std::optional<FieldName> parse(std::string_view field);
};

// The rule of a field, or nullptr for a field without one (flags, choices,
// unknown names).
const FieldRule* FindRule(std::string_view field);
// The same, throwing std::out_of_range for a field without a rule.
const FieldRule& RuleFor(std::string_view field);

// What a check needs beyond the field's own text.
struct FieldContext {
    std::string_view sisterText{}; // state names: the row's other state name
    std::string_view prefix{};     // telephone numbers: the default prefix (tabUTO)
};

struct CheckResult {
    enum class Outcome { Accept, Replace, Reject };
    Outcome outcome = Outcome::Accept;
    std::string replacement;    // Replace: the field's new text
    Message message;            // Reject: what to show (key, full text, icon, title)
    int page = kNoPage;         // Reject: the page to bring to front
    bool runPhoneFlags = false; // Accept of an empty number: run CheckPhoneFlags on its row

    bool rejected() const { return outcome == Outcome::Reject; }
};

// The leave-the-field checks of `field` on `text`. A rejected field keeps its
// text; the caller shows the message, switches to the page and gives the
// focus back. The state-name rule reads and updates state.SuppressCrossChecks
// (once per bounce: after a msg040 the sister's next state-name test passes
// and clears the flag). Leaving any field but the bounced one or its sister
// ends the bounce first. Throws std::out_of_range for a field without a rule.
CheckResult CheckField(std::string_view field, std::string_view text, const FieldContext& context,
                       ValidationState& state, const Texts& texts);

} // namespace rq7::rules
