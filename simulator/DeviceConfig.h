#pragma once
// What a simulated device is: its identity as it reports it, its EEPROM,
// its timing and the faults it injects into its replies.

#include "simulator/SimClock.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace rq7::sim {

// Identity reported by the identification and hardware queries.
struct DeviceProfile {
    std::uint32_t identification = 0x03D302; // 24 bits; this code is an RQ7
    std::uint8_t versionMajor = 1;
    std::uint8_t versionMinor = 5;
    std::uint8_t memoryCode = 3; // 1,024 bytes
    std::uint8_t modemCode = 4;
};

// The device's transfer unit, its own copy of device::kBlockSize (as a
// device built apart from the program has); EEPROM sizes are multiples of it.
inline constexpr std::size_t kBlockSize = 8;
inline constexpr std::size_t kMinEepromSize = 128;
inline constexpr std::size_t kMaxEepromSize = 65536;

// EEPROM bytes meant by a memory-size code: 128 << code for codes 0 to 9,
// 0 for codes the requester has no size for.
std::size_t eepromSizeForMemoryCode(unsigned code);

// Probability per reply of each fault, 0 to 1, drawn independently.
struct FaultRates {
    double drop = 0;                 // the request is carried out, the reply is lost
    double corrupt = 0;              // the reply's checksum is wrong
    double late = 0;                 // the reply comes after lateDelay, later ones after it
    double shortReply = 0;           // the reply loses its tail but keeps a good checksum
    double misread = 0;              // a block read returns one byte wrong (EEPROM intact)
    double badWrite = 0;             // a block write stores one byte wrong, yet is acknowledged
    bool refuseDeactivation = false; // end of programming is answered with a refusal
    // Every repeat of a request whose reply was late is late too, so that
    // the replies of all of a block's attempts are still on their way.
    bool lateRepeats = false;
    // The device waits lateDelay before the reply, once every reply before
    // it has left: it serves one request after the other, so the stalls of
    // queued replies add up.
    double stall = 0;
};

// A set of faults, for forcing them on particular replies.
using FaultSet = unsigned;
namespace fault {
inline constexpr FaultSet None = 0;
inline constexpr FaultSet Drop = 1u << 0;
inline constexpr FaultSet Corrupt = 1u << 1;
inline constexpr FaultSet Late = 1u << 2;
inline constexpr FaultSet Short = 1u << 3;
inline constexpr FaultSet Misread = 1u << 4;
inline constexpr FaultSet BadWrite = 1u << 5;
inline constexpr FaultSet Stall = 1u << 6;
} // namespace fault

struct DeviceConfig {
    DeviceProfile profile;
    // EEPROM bytes, a multiple of kBlockSize from 128 to 65,536; 0 takes the size of
    // the memory code, or 128 for a code without one.
    std::size_t eepromSize = 0;
    std::uint8_t blankByte = 0xFF; // contents of a fresh EEPROM
    // From a complete request to the first byte of its reply.
    Micros replyDelay{0};
    // The key is pressed this long after the first programming-mode request
    // that found the device outside programming mode; until then those
    // requests go unanswered.
    Micros pressAfter{0};
    // Longer than any requester's time-out (the longest is 1.2 s).
    Micros lateDelay{std::chrono::milliseconds(2000)};
    FaultRates faults;
    std::uint64_t seed = 1;
};

// Answer code of a refused end of programming (ASCII NAK).
inline constexpr std::uint8_t kRefusalCode = 0x15;

} // namespace rq7::sim
