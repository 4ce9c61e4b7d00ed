#include "operations/DeviceLinkTransfer.h"

#include "device/DeviceLink.h"
#include "operations/DeviceImageRead.h"
#include "settings/EepromImage.h"

#include <vector>

namespace rq7 {

ImageReadResult DeviceLinkTransfer::readImage(EepromImage& image, long eepromSize,
                                              const std::string& statusKey) {
    return ReadDeviceImage(link_, image, eepromSize, statusKey);
}

bool DeviceLinkTransfer::writeEeprom(const EepromImage& image, long settingsSize, bool verify) {
    std::vector<std::uint8_t> bytes(image.data(), image.data() + EepromImage::kSize);
    return link_.WriteEeprom(bytes.data(), bytes.size(), settingsSize, verify).ok();
}

bool DeviceLinkTransfer::connectionLost() const {
    return link_.connectionLost();
}

bool DeviceLinkTransfer::outOfOrder() const {
    return link_.outOfOrder();
}

} // namespace rq7
