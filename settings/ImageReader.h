#pragma once
// Fills a settings record from an EEPROM image.
//
// The reader only fills the record. A window that shows the record sets its
// cross-check suppression (SuppressCrossChecks) before it applies the
// record to its controls and clears it afterwards on every way out, so that
// the permission flags, set before the telephone numbers, raise no
// "flag set for an empty number" or "same state names" messages meanwhile.

#include "settings/EepromImage.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace rq7 {

struct ReadResult {
    bool ok = false;
    // On failure: the catalogue key of the message the caller shows
    // ("msg034", critical icon) and a short English description of what
    // could not be read, for logs and rq7ctl.
    std::string messageKey;
    std::string detail;
    // When ok: the image length, the address just after the telephone
    // block's last terminator (the bytes a file or backup of it holds).
    long length = 0;
};

// Follows the header words of `image` and fills every field of `record`.
// A choice whose stored code matches no list item keeps its value. The
// SMS-centre number is matched against `smsCentreItems` (the list's item
// texts, "name <number>") and becomes the whole item when one matches.
// On failure the reader stops where it is: the fields filled before keep
// their new values, the others keep theirs.
ReadResult ReadImage(const EepromImage& image, SettingsRecord& record,
                     const std::vector<std::string>& smsCentreItems);

// How much of an image ReadImage uses, so that a device read can stop at
// the image's end.
struct ImageExtent {
    long end = 0;          // complete: one past the furthest byte ReadImage looks at;
                           // otherwise the first byte it needs beyond the known ones
    bool complete = false; // every byte ReadImage needs lies below `known`
};
// Follows the header words as ReadImage does, using only the first `known`
// bytes of the image (at least the header's).
ImageExtent FindImageExtent(const EepromImage& image, long known);

} // namespace rq7
