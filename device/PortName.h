#pragma once
// The port names the user picks ("COM 1" … "COM 4") and the system's names
// for them. Any other name is taken as the system's own (a device path such
// as /dev/ttyUSB0 or a pseudo-terminal).

#include <string>

namespace rq7::device {

// The port number of "COM 1" … "COM 4" (also written "COM1", any case);
// 0 for any other name.
int ComPortNumber(const std::string& name);

// "COM n" as the system knows it: /dev/ttyS(n-1) on Linux, COMn on Windows;
// other names unchanged.
std::string SystemPortName(const std::string& name);

} // namespace rq7::device
