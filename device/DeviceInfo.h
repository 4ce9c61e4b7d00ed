#pragma once
// What identification found out, as the four information labels show it.

#include <string>

namespace rq7::device {

inline constexpr const char* kUnknownLabel = "?";

struct DeviceInfo {
    std::string lblInfoProdukt = kUnknownLabel; // model name
    std::string lblInfoVerze = kUnknownLabel;   // "major.minor"
    std::string lblInfoPamSize = kUnknownLabel; // e.g. "  1024 byte"
    std::string lblInfoModem = kUnknownLabel;   // modem name
    // The EEPROM size in bytes, the number lblInfoPamSize starts with
    // (0 while unknown).
    long eepromSize = 0;
};

} // namespace rq7::device
