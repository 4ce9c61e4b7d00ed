#pragma once
// What the main window's print button runs: the printer dialog, then the
// settings report on the chosen printer.

#include "settings/SettingsRecord.h"

class QWidget;

namespace rq7::report {

// Shows the printer dialog over `parent` and prints the report of the
// settings; a cancelled dialog prints nothing. Returns false only when the
// chosen printer could not start the job.
bool printSettingsReport(const SettingsRecord& settings, QWidget* parent);

} // namespace rq7::report
