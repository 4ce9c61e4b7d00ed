#pragma once
// File handling shared by the rq7ctl commands that read settings texts and
// settings files (*.eep); settings files are opened and written through
// operations/SettingsFile.h like the window's.

#include "operations/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "ui/language/catalogue/Texts.h"

#include <string>
#include <vector>

namespace rq7::cli {

// Reads a settings text into `record` (which keeps the values of fields the
// text does not name). On failure `error` says what and where, naming the
// file; anything but a regular file is refused.
bool readSettingsText(const std::string& path, SettingsRecord& record, std::string& error);

// What a settings file that OpenSettingsFile did not open says, naming the
// file, for the standard error stream; "" when it opened.
std::string openFailure(const std::string& path, const OpenedSettingsFile& file,
                        const Texts& texts);

// OpenSettingsFile into a fresh image, the settings into `record`
// (`smsCentreItems` as ReadImage takes them); on failure `error` is
// openFailure's text.
bool readSettingsFile(const std::string& path, const std::vector<std::string>& smsCentreItems,
                      SettingsRecord& record, std::string& error);

} // namespace rq7::cli
