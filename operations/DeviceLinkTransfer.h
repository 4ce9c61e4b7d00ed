#pragma once
// The device workflows' EEPROM transfer over the device link.

#include "operations/EepromTransfer.h"

namespace rq7 {

namespace device {
class DeviceLink;
}

class DeviceLinkTransfer : public EepromTransfer {
public:
    explicit DeviceLinkTransfer(device::DeviceLink& link) : link_(link) {}

    // ReadDeviceImage over the link.
    ImageReadResult readImage(EepromImage& image, long eepromSize,
                              const std::string& statusKey) override;
    bool writeEeprom(const EepromImage& image, long settingsSize, bool verify) override;
    bool connectionLost() const override;
    bool outOfOrder() const override;

private:
    device::DeviceLink& link_;
};

} // namespace rq7
