#pragma once
// What the main window's print button runs: the printer dialog, then the
// settings report on the chosen printer.

#include "settings/SettingsRecord.h"

#include <string>

class QWidget;

namespace rq7::report {

// Shows the printer dialog over `parent` and prints the report of the
// settings; a cancelled dialog prints nothing. Returns false only when the
// chosen printer could not start the job.
bool printSettingsReport(const SettingsRecord& settings, QWidget* parent);

// The same report on A4 into the PDF file `path`, without a dialog (needs a
// QGuiApplication). False with the reason when the file could not be made.
bool printSettingsReportToPdf(const SettingsRecord& settings, const std::string& path,
                              std::string& error);

} // namespace rq7::report
