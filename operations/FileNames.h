#pragma once
// How the settings file dialogs name and place files: a saved name always
// carries a suffix (the open dialog's filter shows "*.eep" only), and both
// dialogs start in the folder the user last chose a file in, remembered in
// the per-user settings store across runs.

#include "ports/SettingsStore.h"

#include <string>

namespace rq7 {

// Where the last folder is stored (under kSettingsSection).
inline constexpr const char* kLastFolderKey = "LastFolder";

// `path` with ".eep" appended when its file name has no suffix (no dot after
// its first character); unchanged otherwise.
std::string WithEepSuffix(const std::string& path);

// The name the save dialog offers first: the open file's (`documentName`
// when it is a settings file's name), else the station's with what a file
// name cannot carry replaced by "-", else "nastaveni"; with ".eep".
std::string OfferedSaveName(const std::string& documentName, const std::string& station);

// A name the save dialog refuses: one with a wildcard in it.
bool IsWildcardName(const std::string& name);

class RecentFolder {
public:
    // `store` may be null (nothing remembered); `fallback` is the folder
    // offered while none is remembered (the user's documents).
    RecentFolder(SettingsStore* store, std::string fallback);

    // The remembered folder while it still exists, else the fallback.
    std::string folder() const;
    // Remembers the folder of a chosen file.
    void remember(const std::string& chosenFile);

private:
    SettingsStore* store_;
    std::string fallback_;
};

} // namespace rq7
