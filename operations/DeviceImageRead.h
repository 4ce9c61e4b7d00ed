#pragma once
// Reading the settings image from an active device: the one read that every
// reader of the device's settings goes through (the window's load, rq7ctl
// read, a copy of the device taken before a write).

#include "operations/EepromTransfer.h"

#include <string>

namespace rq7 {

namespace device {
class DeviceLink;
enum class TransferOutcome;
} // namespace device

// How a block transfer ended, as a settings read's outcome (Done: Read).
ImageRead ImageReadOutcome(device::TransferOutcome outcome);

// Reads the header blocks; when the header is not valid, stops there
// (Unprogrammed). Otherwise reads on block by block only as far as the
// image's reader looks, found from the bytes as they arrive; an image that
// would run past `eepromSize` is reported (PastEeprom) without reading
// beyond the EEPROM. The status window shows `statusKey`'s text, its
// progress counts the blocks needed.
ImageReadResult ReadDeviceImage(device::DeviceLink& link, EepromImage& image, long eepromSize,
                                const std::string& statusKey = "msg048");

} // namespace rq7
