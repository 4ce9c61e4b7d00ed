#include "operations/DeviceImageRead.h"

#include "device/DeviceLink.h"
#include "settings/EepromImage.h"
#include "settings/ImageLayout.h"
#include "settings/ImageReader.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <vector>

namespace rq7 {

namespace {

constexpr long kHeaderEnd = layout::kChecksumAddress + 1;

// How far the image reaches when `known` bytes of it are in: the end, or
// one past the first byte still needed.
long NeededUpTo(const EepromImage& image, long known) {
    const ImageExtent extent = FindImageExtent(image, known);
    return extent.complete ? extent.end : extent.end + 1;
}

} // namespace

ImageRead ImageReadOutcome(device::TransferOutcome outcome) {
    switch (outcome) {
    case device::TransferOutcome::Done:
        return ImageRead::Read;
    case device::TransferOutcome::Cancelled:
        return ImageRead::Cancelled;
    case device::TransferOutcome::ConnectionLost:
        return ImageRead::ConnectionLost;
    case device::TransferOutcome::OutOfOrder:
        return ImageRead::OutOfOrder;
    default:
        return ImageRead::BlockFailed;
    }
}

ImageReadResult ReadDeviceImage(device::DeviceLink& link, EepromImage& image, long eepromSize,
                                const std::string& statusKey) {
    // Only bytes the link has read are copied into `image`.
    std::vector<std::uint8_t> bytes(EepromImage::kSize);
    // What the image held where bytes were copied, put back when the
    // device's replies cannot be trusted.
    std::vector<std::uint8_t> previous;
    long copied = 0;
    using Reach = device::DeviceLink::ReadReach;
    const auto extent = [&](const std::uint8_t* read, long known) -> Reach {
        for (; copied < known; ++copied) {
            previous.push_back(image.data()[copied]);
            image.SetImageByte(read[copied], copied);
        }
        if (known < kHeaderEnd)
            return {kHeaderEnd, kHeaderEnd};
        if (!image.IsImageValid())
            return {known, known};
        const long need = NeededUpTo(image, known);
        // A byte needed beyond the EEPROM: nothing more to read.
        if (need > eepromSize)
            return {known, known};
        // The telephone block comes last, with at least a byte per entry.
        const long telephone = image.GetImageWord(layout::kTelephoneWord).value_or(0);
        return {need, std::max(need, telephone + kRowCount)};
    };
    const device::TransferResult transfer =
        link.ReadBlocks(bytes.data(), bytes.size(), eepromSize, extent, statusKey);

    ImageReadResult result;
    result.bytesRead = copied;
    result.outcome = ImageReadOutcome(transfer.outcome);
    if (result.outcome == ImageRead::OutOfOrder) {
        for (long a = 0; a < copied; ++a)
            image.SetImageByte(previous[static_cast<std::size_t>(a)], a);
        result.bytesRead = 0;
    }
    if (result.outcome != ImageRead::Read)
        return result;
    if (copied < kHeaderEnd || !image.IsImageValid()) {
        result.outcome = ImageRead::Unprogrammed;
        return result;
    }
    const ImageExtent end = FindImageExtent(image, copied);
    result.outcome = end.complete ? ImageRead::Read : ImageRead::PastEeprom;
    result.length = end.complete ? end.end : 0;
    return result;
}

} // namespace rq7
