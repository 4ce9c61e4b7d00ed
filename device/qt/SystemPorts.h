#pragma once
// The serial ports the system reports now, with their stable names.

#include "device/PortList.h"

#include <string>
#include <vector>

namespace rq7::device {

inline constexpr const char* kByIdDir = "/dev/serial/by-id";

// Every serial port Qt finds, with the link in `byIdDir` that leads to it.
std::vector<SystemPort> SystemSerialPorts(const std::string& byIdDir = kByIdDir);

} // namespace rq7::device
