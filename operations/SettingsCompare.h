#pragma once
// The other side of a comparison with the window's settings: a settings
// file (or a backup) or the active device, read through the load workflows
// with their checks and their failure messages, into a record of its own.
// Neither the window's controls nor the program's image buffer change,
// nothing is written anywhere, and the load's success message is left out
// (the list of differences takes its place).

#include "operations/EepromTransfer.h"
#include "operations/Outcome.h"
#include "operations/Workflows.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace rq7 {

// Done: `other` holds the file's settings. Otherwise `other` is unchanged
// and the load's message has been shown.
Outcome ReadFileToCompare(WorkflowContext& context, const std::string& path, SettingsRecord& other);
// The same for the device; usable only while it is active.
Outcome ReadDeviceToCompare(WorkflowContext& context, EepromTransfer& device,
                            SettingsRecord& other);

} // namespace rq7
