#pragma once
// The settings file: the EEPROM image stored byte for byte, with no header
// of its own (customary extension ".eep").

#include "ports/Prompter.h"
#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <string>

namespace rq7 {

class EepromImage;

enum class FileWrite { Written, Declined, Failed };

// What a load or save did beyond succeeding or not.
struct FileDetail {
    long length = 0;    // bytes stored from the file, or written to it
    std::string reason; // on failure: why, in the system's words
};

// Number of bytes a save writes for a settings size: size - 1, at least 1.
long SavedFileLength(long settingsSize);

// Writes the first SavedFileLength(settingsSize) image bytes to `path`.
// An existing file is replaced only after the user agrees (msg035, Yes/No)
// and only once the new contents are completely on disk: the bytes go to a
// temporary file beside it, which then takes its place, so a failed write
// leaves the old file as it was. Shows msg036 + path in the status window
// (no Storno) while writing. The file is replaced the one safe way of
// files::replaceFile: a target that is no regular file, or a link another
// user may have planted, is refused.
FileWrite SaveImageFile(const std::string& path, const EepromImage& image, long settingsSize,
                        Prompter& prompter, StatusSink& status, const Texts& texts,
                        FileDetail* detail = nullptr);

// Reads the file into the image from address 0; bytes at and above the
// file's length keep their values, an empty file sets byte 0 to 0. A file
// longer than the image fails after its first 65536 bytes are stored.
// Anything but a regular file (a named pipe, a device) fails unread.
// Shows msg049 + path + "." in the status window (no Storno) while reading.
bool LoadImageFile(const std::string& path, EepromImage& image, StatusSink& status,
                   const Texts& texts, FileDetail* detail = nullptr);

} // namespace rq7
