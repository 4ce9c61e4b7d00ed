#pragma once
// The device's EEPROM as the device workflows see it: the whole block read
// and the whole block write of an active device. Both show the status window
// with Storno themselves and hide it again before returning.

#include "ports/StatusSink.h"

namespace rq7 {

class EepromImage;

class EepromTransfer {
public:
    virtual ~EepromTransfer() = default;
    // Reads the blocks below `eepromSize` (at least block 0) into the image.
    // False when a block fails all its attempts; a read stopped by Storno
    // returns true and leaves the status's cancel set.
    virtual bool readEeprom(EepromImage& image, int eepromSize, StatusSink& status) = 0;
    // Writes the image's first `settingsSize` bytes (at least block 0), first
    // block last; `verify` reads each block back. False on a failed block
    // and on Storno.
    virtual bool writeEeprom(EepromImage& image, int settingsSize, bool verify,
                             StatusSink& status) = 0;
};

} // namespace rq7
