#pragma once
// The text of the settings report: the lines that follow the initial blank,
// in their fixed order. Shared by the printed report and by rq7ctl.

#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace rq7::report {

inline constexpr int kReportLineCount = 45;
inline constexpr int kRuleLength = 165;
inline constexpr const char* kFieldSeparator = "; ";

// The 45 report lines (UTF-8) for the settings as they stand: four sections,
// each an empty line, a heading and a rule, then the section's lines. Texts
// are taken exactly as they are; flags as their numeric value.
std::vector<std::string> reportLines(const SettingsRecord& settings);

} // namespace rq7::report
