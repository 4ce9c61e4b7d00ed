#include "ui/main/rules/OutputCrossRule.h"

#include "ui/main/rules/RuleMessages.h"
#include "ui/main/rules/TextRules.h"

namespace rq7::rules {

OutputWords OutputWords::from(const SettingsRecord& record) {
    return OutputWords{record.tabOUTNazev, record.tabOUTZap, record.tabOUTVyp};
}

std::string OutputCrossViolation::field() const {
    return control + "(" + std::to_string(row) + ")";
}

std::optional<OutputCrossViolation> OutputCrossRule(const OutputWords& words, const Texts& texts) {
    // The lists are ';'-separated strings, as NotKeywordPrefix reads them; a
    // word holding a ';' (possible only in a loaded image) splits there.
    std::string allNames;
    for (const std::string& name : words.tabOUTNazev)
        allNames += name + ";";
    const auto violation = [&](const char* control, int row) {
        return OutputCrossViolation{control, row, 3,
                                    KeyMessage(texts, "msg041", Icon::Exclamation)};
    };
    for (int i = 0; i < kRowCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        std::string others;
        for (int j = 0; j < kRowCount; ++j) {
            const auto bt = static_cast<std::size_t>(j);
            others += words.tabOUTZap[bt] + ";" + words.tabOUTVyp[bt] + ";";
            if (j != i)
                others += words.tabOUTNazev[bt] + ";";
        }
        if (!NotKeywordPrefix(words.tabOUTNazev[at], others))
            return violation("tabOUTNazev", i);
        if (!NotKeywordPrefix(words.tabOUTZap[at], allNames))
            return violation("tabOUTZap", i);
        if (!NotKeywordPrefix(words.tabOUTVyp[at], allNames))
            return violation("tabOUTVyp", i);
    }
    return std::nullopt;
}

} // namespace rq7::rules
