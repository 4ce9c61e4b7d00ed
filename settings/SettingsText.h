#pragma once
// A plain-text form of the settings, one "name=value" line per field, shared
// by the rq7ctl commands that read or print settings.
//
//   - UTF-8; a byte-order mark at the very start is skipped.
//   - name: a field name of the field table ("tabPIN", "tabTC(3)"), exactly.
//   - value: everything after the first "=" up to the end of the line, kept
//     exactly (blanks included); a CR before the line end is dropped.
//   - flags are written as their number (0, 1, 2), choices as the item text.
//   - blank lines and lines whose first character is "#" are ignored.
//   - a field that no line names keeps the value it had; when a field is
//     named twice, the later line wins.

#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace rq7 {

struct SettingsTextLine {
    std::string field; // field name as in the field table
    int line = 0;      // 1-based line number
};

struct SettingsTextResult {
    bool ok = false;
    int errorLine = 0;                      // 1-based; 0 when ok
    std::string error;                      // e.g. "line 4: unknown field 'tabFoo'"
    std::vector<SettingsTextLine> assigned; // in file order, also on failure
};

// Applies the lines of `text` to `record`. Stops at the first bad line (no
// "=", unknown field, a flag or choice value its field does not take,
// malformed UTF-8); the lines before it have been applied.
SettingsTextResult ParseSettingsText(const std::string& text, SettingsRecord& record);

// Every field as a "name=value\n" line, in field-table order.
std::string FormatSettingsText(const SettingsRecord& record);

// The first field whose value holds a CR or LF, which a line cannot carry;
// "" when every value can be written.
std::string FieldWithLineBreak(const SettingsRecord& record);

} // namespace rq7
