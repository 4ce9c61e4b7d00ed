#pragma once
// The EEPROM image buffer: the device's configuration exactly as it lies in
// its EEPROM, addresses 0 to 65,535, all zero at first. One buffer lives for
// the whole run; the writer, a file load and a device read overwrite only
// the bytes they bring, everything else keeps its last value.
//
// Layout (all numbers little-endian):
//
//   0 ..25   header: 13 words
//             0 input names     2 output names    4 input on-states
//             6 input off-states 8 output on-states 10 output off-states
//            12 impulse names   14 rising reports 16 falling reports
//            18 station block   20 telephone block 22 fixed block (32)
//            24 format mark 10010 (bytes 1A 27)
//   26       header checksum
//   27..31   not written
//   32..62   fixed block (flags, masks, numbers); 63 not written
//   64..L-1  variable area: 11 blocks of strings / telephone entries
//            in the order input names, output names, input on-states, input
//            off-states, output on-states, output off-states, rising
//            reports, falling reports, impulse names, station, telephone.

#include <array>
#include <cstdint>
#include <optional>

namespace rq7 {

class EepromImage {
public:
    static constexpr long kSize = 65536;

    // Header word addresses.
    static constexpr long kInputNamesWord = 0;
    static constexpr long kOutputNamesWord = 2;
    static constexpr long kInputOnWord = 4;
    static constexpr long kInputOffWord = 6;
    static constexpr long kOutputOnWord = 8;
    static constexpr long kOutputOffWord = 10;
    static constexpr long kImpulseNamesWord = 12;
    static constexpr long kRisingReportsWord = 14;
    static constexpr long kFallingReportsWord = 16;
    static constexpr long kStationWord = 18;
    static constexpr long kTelephoneWord = 20;
    static constexpr long kFixedBlockWord = 22;
    static constexpr long kFormatMarkWord = 24;
    static constexpr long kChecksumAddress = 26;
    static constexpr long kFixedBlockAddress = 32;
    static constexpr long kVariableAreaAddress = 64;
    static constexpr int kFormatMark = 10010;

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
