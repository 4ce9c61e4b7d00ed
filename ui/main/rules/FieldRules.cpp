#include "ui/main/rules/FieldRules.h"

#include "settings/SettingsRecord.h"
#include "settings/SmsCentre.h"
#include "ui/main/rules/CharSets.h"
#include "ui/main/rules/ClampNumber.h"
#include "ui/main/rules/PhoneNumber.h"
#include "ui/main/rules/RuleMessages.h"
#include "ui/main/rules/TextRules.h"

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

FieldCheck chars(std::string_view set, std::string_view key, bool showSet) {
    FieldCheck c;
    c.kind = CheckKind::Chars;
    c.chars = set;
    c.key = key;
    c.appended = showSet ? set : std::string_view();
    return c;
}

FieldCheck smscChars() {
    FieldCheck c = chars(PhoneChars, "msg046", false);
    c.smscNumber = true;
    return c;
}

FieldCheck keyword() {
    FieldCheck c;
    c.kind = CheckKind::Keyword;
    c.key = "msg044";
    c.appended = CommandKeywords;
    return c;
}

FieldCheck stateName() {
    FieldCheck c;
    c.kind = CheckKind::StateName;
    c.key = "msg040";
    return c;
}

FieldCheck phoneNumber() {
    FieldCheck c;
    c.kind = CheckKind::PhoneNumber;
    c.key = "msg037";
    return c;
}

FieldCheck phoneFlags() {
    FieldCheck c;
    c.kind = CheckKind::PhoneFlags;
    return c;
}

FieldCheck clamp(double min, double max) {
    FieldCheck c;
    c.kind = CheckKind::Clamp;
    c.min = min;
    c.max = max;
    return c;
}

// The output dialog's impulse name: its own fixed texts and title.
// A byte the image stores as typed: digits only, 0 to 255.
FieldCheck byteNumber() {
    FieldCheck c;
    c.kind = CheckKind::Integer;
    c.key = "msg060";
    c.min = 0;
    c.max = 255;
    return c;
}

FieldCheck fixed(FieldCheck c, std::string_view text) {
    c.key = {};
    c.fixedText = text;
    c.title = kImpulseTitle;
    return c;
}

std::vector<FieldRule> buildTable() {
    const FieldCheck textChars = chars(TextChars, "msg042", true);
    const FieldCheck identChars = chars(IdentChars, "msg042", true);
    const FieldCheck phoneChars = chars(PhoneChars, "msg037", false);
    return {
        // Main window, general page and the hidden general fields.
        {"tabJmenoStanice", false, kGeneral, 100, {}, {}},
        {"tabPIN", false, kGeneral, 8, {chars(DigitChars, "msg045", false)}, {}},
        {"tabTCcentra", false, kGeneral, 0, {smscChars()}, {}},
        {"rtNotAuthorized", false, kGeneral, 100, {chars(PrintableChars, "msg039", true)}, {}},
        {"tabDobaPlatnostiSMS", false, kGeneral, 5, {clamp(1, 30)}, {}},
        {"tabPrepnoutJTSCislo", false, kGeneral, 1, {clamp(0, 9)}, {}},
        {"rtReCall", false, kNoPage, 100, {}, {}},
        {"eeExistTime", false, kNoPage, 5, {}, {}},
        {"tabKOMUNIKPocetTestu", false, kNoPage, 3, {}, {}},
        {"tabKOMUNIKPocetBloku", false, kNoPage, 3, {}, {}},
        {"tabRFRWait", false, kNoPage, 3, {}, {}},
        {"tabWaitFree", false, kNoPage, 3, {}, {}},
        // Telephone numbers.
        {"tabTC", true, kPhones, 50, {phoneChars, phoneNumber(), phoneFlags()}, {}},
        {"tabUTO", false, kPhones, 4, {chars(PhoneChars, "msg50", false)}, {}},
        // Logical inputs.
        {"tabINPNazev", true, kInputs, 100, {textChars, keyword()}, {}},
        {"tabINPZap", true, kInputs, 100, {textChars, stateName()}, "tabINPVyp"},
        {"tabINPVyp", true, kInputs, 100, {textChars, stateName()}, "tabINPZap"},
        {"tabINPLH", true, kInputs, 100, {textChars}, {}},
        {"tabINPHL", true, kInputs, 100, {textChars}, {}},
        // Logical outputs.
        {"tabOUTNazev", true, kOutputs, 100, {identChars, keyword()}, {}},
        {"tabOUTZap", true, kOutputs, 100, {identChars, stateName(), keyword()}, "tabOUTVyp"},
        {"tabOUTVyp", true, kOutputs, 100, {identChars, stateName(), keyword()}, "tabOUTZap"},
        {"tabOUTimpuls", true, kOutputs, 100, {identChars, keyword()}, {}},
        {"tabOUTimpulsLEN", true, kOutputs, 3, {byteNumber()}, {}},
        // Telephone-number dialog: no flag check on leaving (the dialog's
        // caller runs it after the dialog closes).
        {"TC", false, kNoPage, 50, {phoneChars, phoneNumber()}, {}},
        // Logical-input dialog.
        {"INPNazev", false, kNoPage, 100, {textChars, keyword()}, {}},
        {"INPZap", false, kNoPage, 100, {textChars, stateName()}, "INPVyp"},
        {"INPVyp", false, kNoPage, 100, {textChars, stateName()}, "INPZap"},
        {"INPLH", false, kNoPage, 100, {textChars}, {}},
        {"INPHL", false, kNoPage, 100, {textChars}, {}},
        // Logical-output dialog.
        {"OUTNazev", false, kNoPage, 100, {identChars, keyword()}, {}},
        {"OUTZap", false, kNoPage, 100, {identChars, stateName(), keyword()}, "OUTVyp"},
        {"OUTVyp", false, kNoPage, 100, {identChars, stateName(), keyword()}, "OUTZap"},
        {"OUTimpuls",
         false,
         kNoPage,
         100,
         {fixed(identChars, kImpulseCharsText), fixed(keyword(), kImpulseKeywordText)},
         {}},
        {"OUTimpulsLEN", false, kNoPage, 3, {byteNumber()}, {}},
    };
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
