#pragma once
// The file dialog of the settings file commands, as the workflows see it.
// One dialog object serves both directions for the program's whole run;
// opening offers the last chosen name again (at first "*.eep"), saving the
// name the caller offers, both in the folder last used (FileNames.h); the
// workflows keep nothing between runs.

#include <optional>
#include <string>

namespace rq7 {

// The dialog's one filter entry and its first offered name.
inline constexpr const char* kEepFilter = "EEPROM (*.eep)";
inline constexpr const char* kEepInitialName = "*.eep";

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // An existing file to load; nothing when the user cancels or the dialog
    // fails.
    virtual std::optional<std::string> chooseFileToOpen() = 0;
    // The same in `folder` (the backups), which the dialog does not remember
    // as the last folder.
    virtual std::optional<std::string> chooseFileToOpenIn(const std::string& folder) = 0;
    // A name to save under, existing or not, with ".eep" added when the
    // user typed no suffix; the dialog itself never asks about overwriting
    // (the save asks), and refuses a name with a wildcard. `offeredName`
    // is the name shown first. Nothing on cancel or failure.
    virtual std::optional<std::string> chooseFileToSave(const std::string& offeredName) = 0;
};

} // namespace rq7
