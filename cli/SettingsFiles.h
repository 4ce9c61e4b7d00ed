#pragma once
// File handling shared by the rq7ctl commands that read settings texts and
// settings files (*.eep); they write files with files::replaceFile.

#include "settings/EepromImage.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace rq7::cli {

// Reads a settings text into `record` (which keeps the values of fields the
// text does not name). On failure `error` says what and where, naming the
// file; anything but a regular file is refused.
bool readSettingsText(const std::string& path, SettingsRecord& record, std::string& error);

// Loads a settings file into `image` from address 0. A file longer than the
// 65,536-byte image, or anything but a regular file, is refused and leaves
// `image` alone. `length`, when given, receives the file's length.
bool loadImageFile(const std::string& path, EepromImage& image, std::string& error,
                   long* length = nullptr);

// Loads a settings file and reads the settings its image holds into
// `record` (`smsCentreItems` as ReadImage takes them). On failure `error`
// says what, naming the file: the file itself, an invalid image, an image
// that runs past the file's end, or the reader's message with its detail.
bool readSettingsFile(const std::string& path, const std::vector<std::string>& smsCentreItems,
                      SettingsRecord& record, std::string& error);

} // namespace rq7::cli
