#pragma once
// The EEPROM image buffer: the device's configuration exactly as it lies in
// its EEPROM, addresses 0 to 65,535, all zero at first. One buffer lives for
// the whole run; the writer, a file load and a device read overwrite only
// the bytes they bring, everything else keeps its last value. Where what
// lies: settings/ImageLayout.h.

#include <array>
#include <cstdint>
#include <optional>

namespace rq7 {

class EepromImage {
public:
    static constexpr long kSize = 65536;

    // The byte at `address`; nothing when the address lies outside the image.
    std::optional<int> GetImageByte(long address) const;
    // Stores `value` (0..255) at `address`; false, with the buffer left
    // alone, when either is out of range.
    bool SetImageByte(long value, long address);
    // Byte at `address` plus 256 times the byte after it; nothing when
    // either address lies outside the image.
    std::optional<int> GetImageWord(long address) const;
    // Stores `value` (0..65535) as low byte at `address`, high byte after
    // it; false, with the buffer left alone, when out of range.
    bool SetImageWord(long value, long address);

    // Sum of bytes 0..25 plus 1, modulo 256; 13 is replaced by 12.
    int HeaderChecksum() const;
    // The format mark is 10010 and byte 26 holds the header checksum.
    // Nothing else is checked.
    bool IsImageValid() const;

    // The whole buffer, for moving the image to a file or a device.
    const std::uint8_t* data() const { return bytes_.data(); }

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

} // namespace rq7
