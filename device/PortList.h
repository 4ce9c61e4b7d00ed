#pragma once
// The serial ports offered to the user: "COM 1" … "COM 4" first (the names
// language files and saved choices use), each with the device it means
// here, then every other port the system reports, under its stable
// /dev/serial/by-id name when it has one, with what the system knows of it.

#include <string>
#include <vector>

namespace rq7::device {

// One port as the system reports it.
struct SystemPort {
    std::string path; // the device, e.g. /dev/ttyUSB0
    std::string byId; // its /dev/serial/by-id/... link ("" when none)
    std::string description;
    std::string manufacturer;
    std::string serialNumber;
};

struct PortEntry {
    std::string name;   // what the user picks and the program opens
    std::string device; // the device it means on this system
    std::string description;
    std::string manufacturer;
    std::string serialNumber;
    bool present = true; // false: a COM name whose device the system does not report

    // The device, then description, manufacturer and serial number where
    // known: "/dev/ttyUSB0: FT232R USB UART, FTDI, A50285BI".
    std::string details() const;
};

// "COM 1" … "COM 4", then the system's other ports sorted by name, each
// once; ports without a path are left out.
std::vector<PortEntry> PortEntries(const std::vector<SystemPort>& systemPorts);

} // namespace rq7::device
