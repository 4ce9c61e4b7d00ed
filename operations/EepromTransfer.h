#pragma once
// The device's EEPROM as the device workflows see it: the whole block read
// and the whole block write of an active device. Both show the status window
// with Storno themselves and hide it again before returning; the user's
// Storno stays readable from the status afterwards.

namespace rq7 {

class EepromImage;

class EepromTransfer {
public:
    virtual ~EepromTransfer() = default;
    // Reads the blocks below `eepromSize` (at least block 0) into the image.
    // False when a block fails all its attempts; a read stopped by Storno
    // returns true with the blocks read so far stored.
    virtual bool readEeprom(EepromImage& image, long eepromSize) = 0;
    // Writes the image's used part (`settingsSize` = image length + 1, at
    // least block 0), first block last; `verify` reads each block back.
    // False on a failed block and on Storno.
    virtual bool writeEeprom(const EepromImage& image, long settingsSize, bool verify) = 0;
    // The last transfer failed because the port went away; the device is
    // no longer active.
    virtual bool connectionLost() const { return false; }
};

} // namespace rq7
