#include "ui/main/rules/RecordCheck.h"

#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsFields.h"
#include "ui/main/rules/FieldRules.h"
#include "ui/main/rules/OutputCrossRule.h"
#include "ui/main/rules/PhoneFlagRules.h"
#include "ui/main/rules/PhoneRows.h"
#include "ui/main/rules/RuleMessages.h"

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace rq7::rules {

namespace {

std::string rowField(std::string_view control, int row) {
    return std::string(control) + "(" + std::to_string(row) + ")";
}

// CheckPhoneFlags tells the user about each flag it clears; here the cleared
// flags themselves are reported, so its messages are answered and dropped.
class SilentPrompter : public Prompter {
public:
    Answer ask(const Message& message) override { return message.defaultAnswer(); }
};

class Checker {
public:
    Checker(const SettingsRecord& record, std::string_view prefix, const Texts& texts)
        : prefix_(prefix), texts_(texts) {
        result_.corrected = record;
    }

    RecordCheck run() {
        SettingsRecord& r = result_.corrected;
        single("tabJmenoStanice", r.tabJmenoStanice);
        single("tabPIN", r.tabPIN);
        single("tabTCcentra", r.tabTCcentra);
        single("rtNotAuthorized", r.rtNotAuthorized);
        single("tabDobaPlatnostiSMS", r.tabDobaPlatnostiSMS);
        single("tabPrepnoutJTSCislo", r.tabPrepnoutJTSCislo);
        for (int i = 0; i < kRowCount; ++i)
            phoneRow(i);
        using R = SettingsRecord;
        rows({{"tabINPNazev", &R::tabINPNazev, nullptr},
              {"tabINPVyp", &R::tabINPVyp, &R::tabINPZap},
              {"tabINPZap", &R::tabINPZap, &R::tabINPVyp},
              {"tabINPLH", &R::tabINPLH, nullptr},
              {"tabINPHL", &R::tabINPHL, nullptr}});
        rows({{"tabOUTNazev", &R::tabOUTNazev, nullptr},
              {"tabOUTVyp", &R::tabOUTVyp, &R::tabOUTZap},
              {"tabOUTZap", &R::tabOUTZap, &R::tabOUTVyp},
              {"tabOUTimpuls", &R::tabOUTimpuls, nullptr},
              {"tabOUTimpulsLEN", &R::tabOUTimpulsLEN, nullptr}});
        if (auto violation = OutputCrossRule(OutputWords::from(r), texts_))
            result_.findings.push_back({violation->field(), std::nullopt, violation->message});
        imageRefusals();
        return std::move(result_);
    }

private:
    // What no leave-the-field rule catches but the image writer refuses (a
    // number that does not fit its byte, a text that is no number): the
    // window reports it as msg010 on saving. Each refused field is put back
    // to its initial value and the writer run again, so that every one is
    // reported, not only the first.
    void imageRefusals() {
        const SettingsRecord initial;
        SettingsRecord trial = result_.corrected;
        for (const Finding& f : result_.findings)
            if (const SettingsField* field = findSettingsField(f.field); field && f.rejected())
                field->set(trial, field->get(initial));
        auto image = std::make_unique<EepromImage>();
        for (std::size_t guard = 0; guard <= settingsFields().size(); ++guard) {
            const WriteResult written = WriteImage(trial, *image);
            if (written.ok)
                return;
            Message message = KeyMessage(texts_, "msg010", Icon::Critical, {});
            message.detail = written.reason;
            const SettingsField* field = findSettingsField(written.field);
            result_.findings.push_back({field ? written.field : "image", std::nullopt, message});
            if (!field)
                return;
            field->set(trial, field->get(initial));
        }
    }

    // Runs the field's checks and records what they decide; true when the
    // number row's flags are to be checked next.
    bool apply(const std::string& field, std::string& text, std::string_view sister,
               ValidationState& state) {
        FieldContext context;
        context.sisterText = sister;
        context.prefix = prefix_;
        const CheckResult check = CheckField(field, text, context, state, texts_);
        switch (check.outcome) {
        case CheckResult::Outcome::Reject:
            result_.findings.push_back({field, std::nullopt, check.message});
            break;
        case CheckResult::Outcome::Replace:
            text = check.replacement;
            result_.findings.push_back({field, check.replacement, {}});
            break;
        case CheckResult::Outcome::Accept:
            break;
        }
        return check.runPhoneFlags;
    }

    void single(std::string_view control, std::string& text) {
        ValidationState state;
        apply(std::string(control), text, {}, state);
    }

    // A text column of a table and the column of its sister field, if any.
    struct Column {
        const char* control;
        Rows<std::string> SettingsRecord::*text;
        Rows<std::string> SettingsRecord::*sister;
    };

    // Each row's columns in order, the row checked as one fresh bounce.
    void rows(std::initializer_list<Column> columns) {
        SettingsRecord& r = result_.corrected;
        for (int i = 0; i < kRowCount; ++i) {
            const auto at = static_cast<std::size_t>(i);
            ValidationState bounce;
            for (const Column& c : columns)
                apply(rowField(c.control, i), (r.*c.text)[at],
                      c.sister ? (r.*c.sister)[at] : std::string_view(), bounce);
        }
    }

    void phoneRow(int i) {
        SettingsRecord& r = result_.corrected;
        const auto at = static_cast<std::size_t>(i);
        ValidationState state;
        if (!apply(rowField("tabTC", i), r.tabTC[at], {}, state))
            return;
        const Rows<Flag> before[] = {r.tabTCPrijem, r.tabTCPoplach, r.tabTCUdalost};
        RecordPhoneRows rows(r);
        SilentPrompter prompter;
        CheckPhoneFlags(rows, i, state, texts_, prompter);
        const Rows<Flag>* after[] = {&r.tabTCPrijem, &r.tabTCPoplach, &r.tabTCUdalost};
        const char* names[] = {"tabTCPrijem", "tabTCPoplach", "tabTCUdalost"};
        for (std::size_t k = 0; k < 3; ++k)
            if ((*after[k])[at] != before[k][at])
                result_.findings.push_back(
                    {rowField(names[k], i), std::to_string((*after[k])[at]), {}});
    }

    std::string_view prefix_;
    const Texts& texts_;
    RecordCheck result_;
};

} // namespace

std::string Finding::line() const {
    if (replacement)
        return field + "=" + *replacement;
    std::string out = field + ": ";
    if (!message.key.empty())
        out += message.key + " ";
    out += message.text;
    return message.detail.empty() ? out : out + " (" + message.detail + ")";
}

bool RecordCheck::rejected() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.rejected(); });
}

RecordCheck CheckRecord(const SettingsRecord& record, std::string_view prefix, const Texts& texts) {
    return Checker(record, prefix, texts).run();
}

} // namespace rq7::rules
