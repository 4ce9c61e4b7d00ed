#pragma once
// File handling shared by the rq7ctl commands that read settings texts and
// read or write settings files (*.eep).

#include "settings/EepromImage.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace rq7::cli {

// Reads a settings text into `record` (which keeps the values of fields the
// text does not name). On failure `error` says what and where, naming the
// file.
bool readSettingsText(const std::string& path, SettingsRecord& record, std::string& error);

// Loads a settings file into `image` from address 0. A file longer than the
// 65,536-byte image is refused and leaves `image` alone.
bool loadImageFile(const std::string& path, EepromImage& image, std::string& error);

// Writes `bytes` to `path` through a temporary file beside it that takes
// the path's place only once complete: on any failure the path keeps
// whatever it held before (or stays absent).
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);

} // namespace rq7::cli
