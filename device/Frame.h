#pragma once
// The device protocol's record and its encodings. A frame on the wire is its
// data bytes, one checksum byte and a carriage return; values that may take
// any byte value travel as two ASCII hex digits, low nibble first.

#include "device/Transport.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace rq7::device {

inline constexpr std::uint8_t kCarriageReturn = 13;
inline constexpr int kFrameCapacity = 101;

// One request or one reply. data[0] is the command code of a request or the
// answer code of a reply; a received frame with length 0 means that no valid
// reply came.
struct Frame {
    std::array<std::uint8_t, kFrameCapacity> data{};
    int length = 0;

    std::uint8_t code() const { return length > 0 ? data[0] : 0; }
};

// (sum of the bytes + 1) mod 256, with 13 replaced by 12 so that the checksum
// never looks like the terminator. The image header uses the same rule.
std::uint8_t FrameChecksum(const std::uint8_t* bytes, std::size_t count);

// A request holding only its command byte.
Frame MakeRequest(std::uint8_t command);

// A block command's request: the command byte, then the address as two hex
// pairs, low byte first.
Frame BlockRequest(std::uint8_t command, std::uint16_t address);

// Writes the hex pair of value at data[length], data[length + 1] (low nibble
// first, upper-case digits) and adds 2 to length. The caller keeps
// length + 2 <= kFrameCapacity.
void AppendHexByte(Frame& frame, std::uint8_t value);

// The value of a pair as received, low nibble in `first`, high nibble in
// `second`. Read the way a numeric parser reads "&H" + second + first: either
// case accepted, parsing stops at the first non-digit, so a non-digit `second`
// gives 0 and a non-digit `first` gives the value of `second` alone.
std::uint8_t HexPairToByte(std::uint8_t first, std::uint8_t second);

bool IsHexDigit(std::uint8_t c);

// True when the reply carries `pairs` hex pairs starting at data[1] and every
// one of those characters is a hex digit. Replies that fail this are never
// taken as data.
bool HasHexPayload(const Frame& reply, int pairs);

// The value of the pair at data[index], data[index + 1].
std::uint8_t PairAt(const Frame& reply, int index);

// Data bytes, checksum and CR, as they go on the wire.
Bytes EncodeFrame(const Frame& frame);

} // namespace rq7::device
