// rq7ctl ports: the serial ports as the main window's port list offers
// them, one line each with tab-separated fields: name, device, description,
// manufacturer, serial number, and whether this user can open it ("yes",
// "no", or "missing" when the device does not exist).

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "device/PortList.h"
#include "device/qt/SystemPorts.h"

#include <QCoreApplication>
#include <memory>
#include <ostream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace rq7::cli {

namespace {

const char* access(const std::string& device) {
#ifndef _WIN32
    if (::access(device.c_str(), F_OK) != 0)
        return "missing";
    return ::access(device.c_str(), R_OK | W_OK) == 0 ? "yes" : "no";
#else
    (void)device;
    return "?";
#endif
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: rq7ctl ports\n";
        return kExitBadInput;
    }
    const auto app = EnsureCoreApplication();
    out << "NAME\tDEVICE\tDESCRIPTION\tMANUFACTURER\tSERIAL\tACCESS\n";
    for (const device::PortEntry& entry : device::PortEntries(device::SystemSerialPorts()))
        out << entry.name << '\t' << entry.device << '\t' << entry.description << '\t'
            << entry.manufacturer << '\t' << entry.serialNumber << '\t' << access(entry.device)
            << '\n';
    return kExitOk;
}

const CommandRegistration registration{
    {"ports", "",
     "list the serial ports as the window offers them, with device, description, "
     "manufacturer, serial number and whether you can open them",
     run}};

} // namespace

} // namespace rq7::cli
