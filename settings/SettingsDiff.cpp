#include "settings/SettingsDiff.h"

#include "settings/SettingsFields.h"

#include <cstdio>

namespace rq7 {

namespace {

std::string oneLine(const std::string& value) {
    std::string out;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::vector<FieldDifference> DiffSettings(const SettingsRecord& before,
                                          const SettingsRecord& after) {
    std::vector<FieldDifference> differences;
    for (const SettingsField& field : settingsFields()) {
        std::string a = field.get(before);
        std::string b = field.get(after);
        if (a != b)
            differences.push_back({field.name(), std::move(a), std::move(b)});
    }
    return differences;
}

std::string FormatDifference(const FieldDifference& difference) {
    return difference.field + ": " + oneLine(difference.before) + " -> " +
           oneLine(difference.after);
}

} // namespace rq7
