#pragma once
// The unit of the EEPROM transfers: a block of kBlockSize bytes at an
// address that is a multiple of it, and the frames that carry one.

#include <array>
#include <cstddef>
#include <cstdint>

namespace rq7::device {

inline constexpr std::size_t kBlockSize = 8;
using Block = std::array<std::uint8_t, kBlockSize>;

// The blocks that hold `bytes` bytes from address 0 (none for none).
constexpr long BlocksFor(long bytes) {
    return (bytes + static_cast<long>(kBlockSize) - 1) / static_cast<long>(kBlockSize);
}
// One past the last byte of those blocks.
constexpr long BlockEnd(long bytes) {
    return BlocksFor(bytes) * static_cast<long>(kBlockSize);
}

// Bytes on the wire (checksum and CR included): a block request (command
// and the address as two hex pairs), the block read's reply (answer code
// and the block as hex pairs) and a block write's request (the block
// request's bytes followed by the block).
inline constexpr std::size_t kBlockRequestWire = 1 + 2 * 2 + 2;
inline constexpr std::size_t kBlockReplyWire = 1 + 2 * kBlockSize + 2;
inline constexpr std::size_t kBlockWriteWire = kBlockRequestWire + 2 * kBlockSize;

} // namespace rq7::device
