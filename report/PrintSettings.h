#pragma once
// The printed settings report behind the main window's print button.

#include "report/Printer.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace rq7::report {

// Page layout, in twips, and the report's font.
inline constexpr Twips kLeftMargin = 200;   // x of every line
inline constexpr Twips kTopMargin = 200;    // y of the first line of every page
inline constexpr Twips kLineGapCut = 50;    // taken off the extra gap after each line
inline constexpr Twips kBottomMargin = 200; // a page ends once y passes page height minus this
inline constexpr const char* kFontName = "Arial CE";
inline constexpr double kFontSize = 7.0;

// Prints one report line at the left margin, then leaves the extra gap below
// it and starts a new page when y has passed the bottom limit.
void PrintLine(Printer& printer, const std::string& text);

// Asks for the printer, then prints the whole report as one document. A
// cancelled dialog ends the report before anything is printed.
void PrintSettings(PrintDialog& dialog, Printer& printer, const SettingsRecord& settings);

} // namespace rq7::report
