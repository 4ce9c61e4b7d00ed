#pragma once
// Two sets of settings compared field by field, in field-table order, with
// the values in their settings-text form.

#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace rq7 {

struct FieldDifference {
    std::string field; // "tabPIN", "tabTC(3)"
    std::string before;
    std::string after;
};

// The fields whose values differ, as the settings text writes them.
std::vector<FieldDifference> DiffSettings(const SettingsRecord& before,
                                          const SettingsRecord& after);

// "name: before -> after"; control characters in the values (a line break
// in a text) are written as \n, \r or \xNN so each difference stays one line.
std::string FormatDifference(const FieldDifference& difference);

} // namespace rq7
