#pragma once
// The reason shown when a serial port does not open: the system's own text,
// and for a refused permission on Linux what the user can do about it.

#include <QSerialPort>
#include <string>

namespace rq7::device {

std::string DescribeOpenFailure(QSerialPort::SerialPortError error, const std::string& systemText,
                                const std::string& path);

// "You must be a member of the group 'dialout' that owns /dev/ttyS0." — the
// group read from the device file, "dialout" when it cannot be read.
std::string PermissionHint(const std::string& path);

} // namespace rq7::device
