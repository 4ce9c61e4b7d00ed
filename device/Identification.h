#pragma once
// Decoding the identification and hardware replies, and the version check.

#include "device/Frame.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rq7::device {

namespace answer {
inline constexpr std::uint8_t Programming = 0x81;
inline constexpr std::uint8_t Identify = 0x82;
inline constexpr std::uint8_t Hardware = 0x83;
inline constexpr std::uint8_t ReadBlock = 0x84;
inline constexpr std::uint8_t WriteBlock = 0x85;
inline constexpr std::uint8_t EndProgramming = 0x86;
} // namespace answer

struct Identification {
    std::uint32_t code = 0; // 24-bit model code
    int major = 0;
    int minor = 0;
};

struct Hardware {
    int memoryCode = 0;
    int modemCode = 0;
};

// The reply to 0x02: answer code 0x82, then five hex pairs (the code's three
// bytes least significant first, the minor and the major version). Anything
// else, also a reply too short for its pairs or with non-digits in them,
// gives nothing.
std::optional<Identification> DecodeIdentification(const Frame& reply);

// The reply to 0x03: answer code 0x83, then the memory-size and modem codes
// as two hex pairs.
std::optional<Hardware> DecodeHardware(const Frame& reply);

// "major.minor" in decimal, no leading zeros.
std::string VersionText(int major, int minor);

// The minimum that applies to a model: its own, or "1.2" for an empty or
// "0.0" entry.
std::string EffectiveMinimum(const std::string& rowMinimum);

// The shown version against a minimum, both read as decimal numbers
// ("1.10" counts as 1.1).
bool VersionAccepted(const std::string& shownVersion, const std::string& minimum);

} // namespace rq7::device
