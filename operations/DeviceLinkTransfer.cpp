#include "operations/DeviceLinkTransfer.h"

#include "device/DeviceLink.h"
#include "settings/EepromImage.h"

#include <vector>

namespace rq7 {

bool DeviceLinkTransfer::readEeprom(EepromImage& image, long eepromSize) {
    // The link reads into plain bytes; blocks it does not reach keep the
    // image's values.
    std::vector<std::uint8_t> bytes(image.data(), image.data() + EepromImage::kSize);
    const device::TransferResult result = link_.ReadEeprom(bytes.data(), bytes.size(), eepromSize);
    for (long i = 0; i < EepromImage::kSize; ++i)
        image.SetImageByte(bytes[static_cast<std::size_t>(i)], i);
    return result.outcome == device::TransferOutcome::Done ||
           result.outcome == device::TransferOutcome::Cancelled;
}

bool DeviceLinkTransfer::writeEeprom(const EepromImage& image, long settingsSize, bool verify) {
    std::vector<std::uint8_t> bytes(image.data(), image.data() + EepromImage::kSize);
    return link_.WriteEeprom(bytes.data(), bytes.size(), settingsSize, verify).ok();
}

bool DeviceLinkTransfer::connectionLost() const {
    return link_.connectionLost();
}

} // namespace rq7
