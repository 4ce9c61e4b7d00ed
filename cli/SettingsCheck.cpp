#include "cli/SettingsCheck.h"

#include "ui/language/catalogue/Texts.h"
#include "ui/main/rules/FieldRules.h"

#include <ostream>
#include <utility>

namespace rq7::cli {

std::string defaultPhonePrefix() {
    return Texts{}.get("valUTO", "+420");
}

std::optional<std::string> takePrefixOption(std::vector<std::string>& args, std::string& prefix) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string option = "--prefix";
        if (args[i] == option) {
            if (i + 1 >= args.size())
                return "--prefix needs a value (\"\" for none)";
            prefix = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
        } else if (args[i].rfind(option + "=", 0) == 0) {
            prefix = args[i].substr(option.size() + 1);
            args.erase(args.begin() + static_cast<long>(i));
        } else {
            continue;
        }
        const rules::FieldRule& rule = rules::RuleFor("tabUTO");
        rules::ValidationState state;
        const rules::CheckResult check =
            rules::CheckField("tabUTO", prefix, rules::FieldContext{}, state, Texts{});
        if (check.rejected())
            return "tabUTO: " + check.message.key + " " + check.message.text;
        if (prefix.size() > static_cast<std::size_t>(rule.maxLength))
            return "--prefix takes at most " + std::to_string(rule.maxLength) + " characters";
        return std::nullopt;
    }
    return std::nullopt;
}

rules::RecordCheck printSettingsCheck(const SettingsRecord& record, const std::string& prefix,
                                      std::ostream& out) {
    rules::RecordCheck check = rules::CheckRecord(record, prefix, Texts{});
    for (const rules::Finding& finding : check.findings)
        out << finding.line() << '\n';
    return check;
}

bool applySettingsCheck(SettingsRecord& record, const std::string& prefix, std::ostream& err) {
    rules::RecordCheck check = printSettingsCheck(record, prefix, err);
    if (check.rejected())
        return false;
    record = std::move(check.corrected);
    return true;
}

} // namespace rq7::cli
