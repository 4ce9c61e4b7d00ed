#pragma once
// The device's EEPROM as the device workflows see it: the settings read and
// the block write of an active device. Both show the status window with
// Storno themselves and hide it again before returning; the user's Storno
// stays readable from the status afterwards.

#include <string>

namespace rq7 {

class EepromImage;

enum class ImageRead {
    Read,           // the image is in, up to its end
    Unprogrammed,   // the header is not valid: no settings on the device
    PastEeprom,     // the header is valid but the image would run past the EEPROM
    BlockFailed,    // a block failed all its attempts
    Cancelled,      // Storno; the blocks read so far are stored
    ConnectionLost, // the port went away; the device is no longer active
    OutOfOrder,     // the device does not answer in order; nothing read is kept
};

struct ImageReadResult {
    ImageRead outcome = ImageRead::BlockFailed;
    long length = 0;    // Read: the image's length, the bytes a settings file holds
    long bytesRead = 0; // the device's bytes now in the image, from address 0
};

class EepromTransfer {
public:
    virtual ~EepromTransfer() = default;
    // Reads the device's settings image into `image`: the header blocks
    // first, then, when the header is valid, only as far as the image
    // reaches (never at or beyond `eepromSize`). Bytes not read keep their
    // values. The status window shows the text of `statusKey` meanwhile.
    virtual ImageReadResult readImage(EepromImage& image, long eepromSize,
                                      const std::string& statusKey) = 0;
    // Writes the image's used part (`settingsSize` = image length + 1, at
    // least block 0), first block last; `verify` reads each block back.
    // False on a failed block and on Storno.
    virtual bool writeEeprom(const EepromImage& image, long settingsSize, bool verify) = 0;
    // The last transfer failed because the port went away; the device is
    // no longer active.
    virtual bool connectionLost() const { return false; }
    // The last transfer stopped because the device does not answer in order.
    virtual bool outOfOrder() const { return false; }
};

} // namespace rq7
