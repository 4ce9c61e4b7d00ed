#pragma once
// The four commands that move settings between the main window, a settings
// file and the device (`btFileLoad`, `btFileSave`, `btEEPROMLoad`,
// `btEEPROMSave`). Each shows exactly one message box per outcome through
// the prompter (title "RQ7 Init", OK button), or none where the outcome is
// silent, and returns the outcome.

#include "operations/EepromTransfer.h"
#include "operations/FileDialog.h"
#include "operations/Outcome.h"
#include "operations/SettingsHolder.h"
#include "ports/Prompter.h"
#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <string>

namespace rq7 {

class EepromImage;
struct BackupTarget;

// What a save to the device did on its way, for the installation record.
struct DeviceWriteFacts {
    bool started = false;      // the device was read for its backup or written
    bool backedUp = false;     // `backupPath` holds the device's settings as they were
    bool unprogrammed = false; // the backup found no settings on the device
    std::string backupPath;    // backed up, or the file the backup failed to save
    std::string imageBytes;    // the image written: the bytes a settings file holds
    bool verified = false;     // written with each block read back
};

// The ports every workflow works through; the caller owns them all.
struct WorkflowContext {
    SettingsHolder& settings;
    EepromImage& image; // the program's one image buffer
    Prompter& prompter;
    StatusSink& status;
    const Texts& texts;
};

// Open dialog, then LoadFromPath. Cancel: DialogCancelled, no message.
Outcome LoadFromFile(WorkflowContext& context, FileDialog& dialog);
// Save dialog, then SaveToPath. Cancel: DialogCancelled, no message.
Outcome SaveToFile(WorkflowContext& context, FileDialog& dialog);

// The file commands after the dialog, for callers that already have a path.
Outcome LoadFromPath(WorkflowContext& context, const std::string& path);
Outcome SaveToPath(WorkflowContext& context, const std::string& path);

// The device commands; usable only while the device is active.
Outcome LoadFromDevice(WorkflowContext& context, EepromTransfer& device);
// `backup`: where the device's present settings are saved before anything
// is written (Backups.h); the write starts only once they are (or the device
// holds none). nullptr: no backup. `facts`, when given, receives what the
// save did. The success message names the backup made; a write that fails
// after it has begun says that the device now holds no valid settings, and
// names the backup.
Outcome SaveToDevice(WorkflowContext& context, EepromTransfer& device,
                     const BackupTarget* backup = nullptr, DeviceWriteFacts* facts = nullptr);

} // namespace rq7
