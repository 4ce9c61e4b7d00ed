#pragma once
// The question before settings that differ from those last loaded or saved
// would be lost (leaving the program, loading a file or the device's
// settings over them): save them to a file first, discard them, or stay.

#include "operations/FileDialog.h"
#include "operations/Workflows.h"

#include <optional>
#include <string>

namespace rq7 {

struct UnsavedResult {
    bool proceed = false; // false: the user stays where he was
    // When the settings were saved on the way: the file, now the open one.
    std::optional<std::string> savedPath;
};

// Asks msg090 (question icon, Save/Discard/Cancel) only when `modified`.
// Save runs the save-to-file workflow; a cancelled or failed save keeps the
// user where he was, as Cancel does.
UnsavedResult ResolveUnsavedChanges(WorkflowContext& context, FileDialog& dialog, bool modified);

} // namespace rq7
