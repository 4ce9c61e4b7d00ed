#pragma once
// Builds the EEPROM image of a settings record.

#include "settings/EepromImage.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace rq7 {

struct WriteResult {
    bool ok = false;
    // On failure: the field that could not be converted ("tabRFRWait",
    // "tabOUTimpulsLEN(3)"), or "" when the image outgrew the buffer; and
    // a short English description for logs and rq7ctl.
    std::string field;
    std::string reason;
    long length = 0; // on success: the image length L
};

// Writes the image of `record` into `image`: the fixed block, the variable
// area from address 64, then the header words, the format mark and the
// header checksum, last. Bytes 27..31, 63 and from L on are left as they
// were. A field that cannot be converted stops the writer; the buffer then
// holds a partial image whose format mark or checksum may still be those of
// an earlier image, so a failed result must never be saved or sent.
WriteResult WriteImage(const SettingsRecord& record, EepromImage& image);

} // namespace rq7
