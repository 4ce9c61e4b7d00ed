#include "ui/main/rules/FieldRules.h"

#include "settings/FieldWidths.h"
#include "settings/SettingsRecord.h"
#include "settings/SmsCentre.h"
#include "ui/main/rules/CharSets.h"
#include "ui/main/rules/ClampNumber.h"
#include "ui/main/rules/PhoneNumber.h"
#include "ui/main/rules/RuleMessages.h"
#include "ui/main/rules/TextRules.h"

#include <algorithm>
#include <stdexcept>

namespace rq7::rules {

namespace {

constexpr int kGeneral = 0;
constexpr int kPhones = 1;
constexpr int kInputs = 2;
constexpr int kOutputs = 3;

// The impulse name's own texts in the output dialog (not looked up).
constexpr std::string_view kImpulseCharsText =
    "N\u00e1zev 'Impuls' m\u016f\u017ee obsahovat pouze tyto znaky: ";
constexpr std::string_view kImpulseKeywordText =
    "N\u00e1zev 'impuls' nesm\u00ed b\u00fdt \u017e\u00e1dn\u00e9 z t\u011bchto "
    "kl\u00ed\u010dov\u00fdch "
    "slov (ani jejich p\u0159edpony): ";

// A check of `kind` with its message key; empty for checks that show none.
FieldCheck check(CheckKind kind, std::string_view key = {}) {
    FieldCheck c;
    c.kind = kind;
    c.key = key;
    return c;
}

// A check over a range of numbers.
FieldCheck ranged(FieldCheck c, double min, double max) {
    c.min = min;
    c.max = max;
    return c;
}

FieldCheck chars(std::string_view set, std::string_view key, bool showSet) {
    FieldCheck c = check(CheckKind::Chars, key);
    c.chars = set;
    c.appended = showSet ? set : std::string_view();
    return c;
}

FieldCheck smscChars() {
    FieldCheck c = chars(PhoneChars, "msg046", false);
    c.smscNumber = true;
    return c;
}

FieldCheck keyword() {
    FieldCheck c = check(CheckKind::Keyword, "msg044");
    c.appended = CommandKeywords;
    return c;
}

FieldCheck stateName() {
    return check(CheckKind::StateName, "msg040");
}

FieldCheck phoneNumber() {
    return check(CheckKind::PhoneNumber, "msg037");
}

FieldCheck phoneFlags() {
    return check(CheckKind::PhoneFlags);
}

FieldCheck clamp(double min, double max) {
    return ranged(check(CheckKind::Clamp), min, max);
}

// A byte the image stores as typed: digits only, 0 to 255.
FieldCheck byteNumber() {
    return ranged(check(CheckKind::Integer, "msg060"), 0, 255);
}

// The output dialog's impulse name: its own fixed texts and title.
FieldCheck fixed(FieldCheck c, std::string_view text) {
    c.key = {};
    c.fixedText = text;
    c.title = kImpulseTitle;
    return c;
}

constexpr std::string_view kRowPrefix = "tab";

// A row dialog's field edits one row of a main-window row field: the same
// checks under the name without "tab", on no page, and without the flag
// check, which the dialog's caller runs once the dialog has closed.
FieldRule dialogRule(FieldRule rule) {
    rule.name.remove_prefix(kRowPrefix.size());
    if (!rule.sister.empty())
        rule.sister.remove_prefix(kRowPrefix.size());
    rule.perRow = false;
    rule.page = kNoPage;
    rule.checks.erase(
        std::remove_if(rule.checks.begin(), rule.checks.end(),
                       [](const FieldCheck& c) { return c.kind == CheckKind::PhoneFlags; }),
        rule.checks.end());
    return rule;
}

std::vector<FieldRule> buildTable() {
    const FieldCheck textChars = chars(TextChars, "msg042", true);
    const FieldCheck identChars = chars(IdentChars, "msg042", true);
    const FieldCheck phoneChars = chars(PhoneChars, "msg037", false);
    std::vector<FieldRule> table{
        // Main window, general page and the hidden general fields.
        {"tabJmenoStanice", false, kGeneral, {}, {}},
        {"tabPIN", false, kGeneral, {chars(DigitChars, "msg045", false)}, {}},
        {"tabTCcentra", false, kGeneral, {smscChars()}, {}},
        {"rtNotAuthorized", false, kGeneral, {chars(PrintableChars, "msg039", true)}, {}},
        {"tabDobaPlatnostiSMS", false, kGeneral, {clamp(1, 30)}, {}},
        {"tabPrepnoutJTSCislo", false, kGeneral, {clamp(0, 9)}, {}},
        {"rtReCall", false, kNoPage, {}, {}},
        {"eeExistTime", false, kNoPage, {}, {}},
        {"tabKOMUNIKPocetTestu", false, kNoPage, {}, {}},
        {"tabKOMUNIKPocetBloku", false, kNoPage, {}, {}},
        {"tabRFRWait", false, kNoPage, {}, {}},
        {"tabWaitFree", false, kNoPage, {}, {}},
        // Telephone numbers.
        {"tabTC", true, kPhones, {phoneChars, phoneNumber(), phoneFlags()}, {}},
        {"tabUTO", false, kPhones, {chars(PhoneChars, "msg50", false)}, {}},
        // Logical inputs.
        {"tabINPNazev", true, kInputs, {textChars, keyword()}, {}},
        {"tabINPZap", true, kInputs, {textChars, stateName()}, "tabINPVyp"},
        {"tabINPVyp", true, kInputs, {textChars, stateName()}, "tabINPZap"},
        {"tabINPLH", true, kInputs, {textChars}, {}},
        {"tabINPHL", true, kInputs, {textChars}, {}},
        // Logical outputs.
        {"tabOUTNazev", true, kOutputs, {identChars, keyword()}, {}},
        {"tabOUTZap", true, kOutputs, {identChars, stateName(), keyword()}, "tabOUTVyp"},
        {"tabOUTVyp", true, kOutputs, {identChars, stateName(), keyword()}, "tabOUTZap"},
        {"tabOUTimpuls", true, kOutputs, {identChars, keyword()}, {}},
        {"tabOUTimpulsLEN", true, kOutputs, {byteNumber()}, {}},
    };
    for (FieldRule& rule : table)
        rule.maxLength = FieldMaxWidth(rule.name);

    // The three row dialogs (telephone number, input, output), in that order.
    const std::size_t rowFields = table.size();
    for (std::size_t i = 0; i < rowFields; ++i)
        if (table[i].perRow)
            table.push_back(dialogRule(table[i]));
    // The output dialog's impulse name has texts of its own.
    for (FieldRule& rule : table)
        if (rule.name == "OUTimpuls")
            rule.checks = {fixed(identChars, kImpulseCharsText),
                           fixed(keyword(), kImpulseKeywordText)};
    return table;
}

Message messageOf(const FieldCheck& check, const Texts& texts) {
    if (check.key.empty())
        return FixedMessage(std::string(check.fixedText) + std::string(check.appended), check.icon,
                            check.title);
    Message m = KeyMessage(texts, check.key, check.icon, check.appended);
    if (!check.title.empty())
        m.title = std::string(check.title);
    return m;
}

CheckResult reject(const FieldRule& rule, const FieldCheck& check, const Texts& texts) {
    CheckResult r;
    r.outcome = CheckResult::Outcome::Reject;
    r.message = messageOf(check, texts);
    r.page = rule.page;
    return r;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool integerInRange(std::string_view text, double min, double max) {
    if (text.empty())
        return false;
    double value = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
        if (value > max)
            return false; // also ends a long run of digits early
    }
    return value >= min;
}

// True when the guard set by a msg040 bounce silences this state field: it
// is the sister (same row, other state) of the field that bounced. While the
// image reader fills the controls (no bounced field) every check is silent.
bool silencedSister(std::string_view field, const FieldRule& rule, const ValidationState& state) {
    if (!state.SuppressCrossChecks)
        return false;
    if (state.bouncedField.empty())
        return true;
    const std::optional<FieldName> left = FieldName::parse(field);
    const std::optional<FieldName> bounced = FieldName::parse(state.bouncedField);
    return left && bounced && left->row == bounced->row && bounced->control == rule.sister;
}

// A bounce guards only the field that bounced and its sister; leaving any
// other field means the focus has moved on, so the guard has done its job.
void endBounceUnlessPair(std::string_view field, const FieldRule& rule, ValidationState& state) {
    if (state.bouncedField.empty() || field == state.bouncedField)
        return;
    if (!silencedSister(field, rule, state))
        state.endBounce();
}

} // namespace

const std::vector<FieldRule>& FieldRules() {
    static const std::vector<FieldRule> table = buildTable();
    return table;
}

std::optional<FieldName> FieldName::parse(std::string_view field) {
    FieldName name;
    std::string_view control = field;
    std::string_view index;
    if (!field.empty() && field.back() == ')') {
        const std::size_t open = field.find('(');
        if (open == std::string_view::npos)
            return std::nullopt;
        control = field.substr(0, open);
        index = field.substr(open + 1, field.size() - open - 2);
        if (index.empty())
            return std::nullopt;
    } else if (const std::size_t under = field.rfind('_'); under != std::string_view::npos) {
        control = field.substr(0, under);
        index = field.substr(under + 1);
        if (index.empty())
            return std::nullopt;
    }
    if (control.empty())
        return std::nullopt;
    if (!index.empty()) {
        if (index.size() > 1 || !isDigit(index[0]) || index[0] - '0' >= kRowCount)
            return std::nullopt;
        name.row = index[0] - '0';
    }
    name.control = std::string(control);
    return name;
}

const FieldRule* FindRule(std::string_view field) {
    const std::optional<FieldName> name = FieldName::parse(field);
    if (!name)
        return nullptr;
    for (const FieldRule& rule : FieldRules())
        if (rule.name == name->control && (rule.perRow || !name->row))
            return &rule;
    return nullptr;
}

const FieldRule& RuleFor(std::string_view field) {
    const FieldRule* rule = FindRule(field);
    if (!rule)
        throw std::out_of_range("no field rule for '" + std::string(field) + "'");
    return *rule;
}

CheckResult CheckField(std::string_view field, std::string_view text, const FieldContext& context,
                       ValidationState& state, const Texts& texts) {
    const FieldRule& rule = RuleFor(field);
    endBounceUnlessPair(field, rule, state);
    CheckResult result;
    // A state name that passed the state-name rule clears the guard only
    // once the field's later checks have passed as well.
    bool clearSuppress = false;
    for (const FieldCheck& check : rule.checks) {
        switch (check.kind) {
        case CheckKind::Chars: {
            const std::string tested =
                check.smscNumber ? GetSMSC(std::string(text)) : std::string(text);
            if (!AllCharsAllowed(tested, check.chars))
                return reject(rule, check, texts);
            break;
        }
        case CheckKind::Keyword:
            if (!NotKeywordPrefix(text, CommandKeywords))
                return reject(rule, check, texts);
            break;
        case CheckKind::StateName:
            if (!silencedSister(field, rule, state) && !text.empty() &&
                LowerCase(text) == LowerCase(context.sisterText)) {
                state.SuppressCrossChecks = true;
                state.bouncedField = std::string(field);
                return reject(rule, check, texts);
            }
            clearSuppress = true;
            break;
        case CheckKind::PhoneNumber:
            if (!text.empty()) {
                const std::string normal = NormalizePhoneNumber(text, context.prefix);
                if (!IsStorablePhoneNumber(normal))
                    return reject(rule, check, texts);
                if (normal != text) {
                    result.outcome = CheckResult::Outcome::Replace;
                    result.replacement = normal;
                }
            }
            break;
        case CheckKind::PhoneFlags:
            result.runPhoneFlags = text.empty();
            break;
        case CheckKind::Integer:
            if (!integerInRange(text, check.min, check.max))
                return reject(rule, check, texts);
            break;
        case CheckKind::Clamp: {
            const std::string clamped = ClampNumber(text, check.min, check.max, 0);
            if (clamped != text) {
                result.outcome = CheckResult::Outcome::Replace;
                result.replacement = clamped;
            }
            break;
        }
        }
    }
    if (clearSuppress) {
        state.SuppressCrossChecks = false;
        state.bouncedField.clear();
    }
    return result;
}

} // namespace rq7::rules
