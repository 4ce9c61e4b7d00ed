#include "settings/SettingsText.h"

#include "encoding/Cp1250.h"
#include "settings/SettingsFields.h"

namespace rq7 {

namespace {

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

SettingsTextResult failAt(SettingsTextResult result, int line, const std::string& what) {
    result.ok = false;
    result.errorLine = line;
    result.error = "line " + std::to_string(line) + ": " + what;
    return result;
}

std::string describeAllowed(const SettingsField& field) {
    if (field.kind() == FieldKind::CheckBox)
        return "0, 1 or 2";
    std::string allowed;
    for (const std::string& item : field.items())
        allowed += (allowed.empty() ? "'" : " or '") + item + "'";
    return allowed;
}

} // namespace

SettingsTextResult ParseSettingsText(const std::string& text, SettingsRecord& record) {
    SettingsTextResult result;
    std::size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    for (int lineNo = 1; pos < text.size(); ++lineNo) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (isBlank(line) || line[0] == '#')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            return failAt(result, lineNo, "no '=' in the line");
        const std::string name = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        const SettingsField* field = findSettingsField(name);
        if (!field)
            return failAt(result, lineNo, "unknown field '" + name + "'");
        if (cp1250::sanitizeUtf8(value) != value)
            return failAt(result, lineNo, "the value of " + name + " is not valid UTF-8");
        if (!field->set(record, value))
            return failAt(result, lineNo,
                          name + " takes " + describeAllowed(*field) + ", not '" + value + "'");
        result.assigned.push_back({name, lineNo});
    }
    result.ok = true;
    return result;
}

std::string FormatSettingsText(const SettingsRecord& record) {
    std::string out;
    for (const SettingsField& field : settingsFields())
        out += field.name() + "=" + field.get(record) + "\n";
    return out;
}

std::string FieldWithLineBreak(const SettingsRecord& record) {
    for (const SettingsField& field : settingsFields())
        if (field.get(record).find_first_of("\r\n") != std::string::npos)
            return field.name();
    return "";
}

} // namespace rq7
