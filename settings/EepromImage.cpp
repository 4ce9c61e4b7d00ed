#include "settings/EepromImage.h"

#include "settings/ImageLayout.h"

namespace rq7 {

namespace {

bool inImage(long address) {
    return address >= 0 && address < EepromImage::kSize;
}

} // namespace

std::optional<int> EepromImage::GetImageByte(long address) const {
    if (!inImage(address))
        return std::nullopt;
    return bytes_[static_cast<std::size_t>(address)];
}

bool EepromImage::SetImageByte(long value, long address) {
    if (!inImage(address) || value < 0 || value > 255)
        return false;
    bytes_[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value);
    return true;
}

std::optional<int> EepromImage::GetImageWord(long address) const {
    if (!inImage(address) || !inImage(address + 1))
        return std::nullopt;
    const auto at = [this](long a) { return int{bytes_[static_cast<std::size_t>(a)]}; };
    return at(address) + 256 * at(address + 1);
}

bool EepromImage::SetImageWord(long value, long address) {
    if (!inImage(address) || !inImage(address + 1) || value < 0 || value > 65535)
        return false;
    bytes_[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value % 256);
    bytes_[static_cast<std::size_t>(address + 1)] = static_cast<std::uint8_t>(value / 256);
    return true;
}

int EepromImage::HeaderChecksum() const {
    int sum = 1;
    for (std::size_t a = 0; a < static_cast<std::size_t>(layout::kChecksumAddress); ++a)
        sum += bytes_[a];
    sum %= 256;
    // A checksum of 13 is always stored as 12.
    return sum == 13 ? 12 : sum;
}

bool EepromImage::IsImageValid() const {
    return GetImageWord(layout::kFormatMarkWord) == layout::kFormatMark &&
           GetImageByte(layout::kChecksumAddress) == HeaderChecksum();
}

} // namespace rq7
