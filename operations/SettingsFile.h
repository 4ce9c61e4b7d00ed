#pragma once
// The settings file: the EEPROM image stored byte for byte, with no header
// of its own (customary extension ".eep"). OpenSettingsFile and
// WriteSettingsFile are the one way every front end reads and writes one;
// the front ends only present what they return.

#include "ports/Prompter.h"
#include "ports/StatusSink.h"
#include "settings/SettingsRecord.h"
#include "ui/language/catalogue/Texts.h"

#include <string>
#include <vector>

namespace rq7 {

class EepromImage;

enum class SettingsFileOpen {
    Opened,        // `record` holds the file's settings
    Missing,       // there is no such file
    Unreadable,    // no regular file, or the system could not read it (`detail`)
    TooLarge,      // longer than the image
    Empty,         // nothing in it
    NoImage,       // format mark or header checksum wrong
    CutShort,      // the settings the header describes run past the file's end
    Unconvertible, // the reader stopped (`messageKey`, `detail`)
};

struct OpenedSettingsFile {
    SettingsFileOpen outcome = SettingsFileOpen::Missing;
    long length = 0;        // the file's bytes stored in the image (0 when refused)
    SettingsRecord record;  // Opened: the settings; Unconvertible: as far as the reader came
    std::string messageKey; // Unconvertible: the reader's message (msg034 when it gave none)
    std::string detail;     // why, in the system's words; CutShort: the byte needed
};

// Shown while a file is read (msg049 + path + ".") and while its image is
// converted (msg003), neither with Storno.
struct SettingsFileStatus {
    StatusSink& sink;
    const Texts& texts;
};

// Reads the file at `path` into `image` from address 0 and its settings into
// a copy of `start` (fields the reader does not reach keep their values).
// Bytes at and above the file's length keep their values. A file that
// cannot be read, is larger than the image or is empty is refused and
// leaves `image` alone; anything but a regular file is refused unread.
OpenedSettingsFile OpenSettingsFile(const std::string& path, EepromImage& image,
                                    const SettingsRecord& start = {},
                                    const std::vector<std::string>& smsCentreItems = {},
                                    const SettingsFileStatus* status = nullptr);

struct WrittenSettingsFile {
    bool written = false;
    long length = 0;    // bytes written
    std::string detail; // on failure: why, in the system's words
};

// Writes the first `length` image bytes (1 to the image's size) to `path`
// the one safe way of files::replaceFile: only once complete, never over a
// target that is no regular file or through a link another user may have
// planted; a failure leaves the old file as it was.
WrittenSettingsFile WriteSettingsFile(const std::string& path, const EepromImage& image,
                                      long length);

enum class FileWrite { Written, Declined, Failed };

// Number of bytes a save writes for a settings size: size - 1, at least 1.
long SavedFileLength(long settingsSize);

// The window's save: WriteSettingsFile of SavedFileLength(settingsSize)
// bytes, after the user agreed to replace an existing file (msg035,
// Yes/No), with msg036 + path in the status window (no Storno) meanwhile.
FileWrite SaveImageFile(const std::string& path, const EepromImage& image, long settingsSize,
                        Prompter& prompter, StatusSink& status, const Texts& texts,
                        WrittenSettingsFile* detail = nullptr);

} // namespace rq7
