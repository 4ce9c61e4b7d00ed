#include "device/PortList.h"

#include "device/PortName.h"

#include <algorithm>

namespace rq7::device {

namespace {

constexpr int kComPorts = 4;

PortEntry Entry(std::string name, const SystemPort& port) {
    return {std::move(name), port.path, port.description, port.manufacturer, port.serialNumber};
}

} // namespace

std::string PortEntry::details() const {
    std::string known;
    for (const std::string* part : {&description, &manufacturer, &serialNumber})
        if (!part->empty())
            known += (known.empty() ? "" : ", ") + *part;
    return known.empty() ? device : device + ": " + known;
}

std::vector<PortEntry> PortEntries(const std::vector<SystemPort>& systemPorts) {
    std::vector<PortEntry> entries;
    std::vector<std::string> comPaths;
    for (int number = 1; number <= kComPorts; ++number) {
        const std::string name = "COM " + std::to_string(number);
        SystemPort port{SystemPortName(name), "", "", "", ""};
        const auto reported =
            std::find_if(systemPorts.begin(), systemPorts.end(),
                         [&](const SystemPort& system) { return system.path == port.path; });
        if (reported != systemPorts.end())
            port = *reported;
        entries.push_back(Entry(name, port));
        entries.back().present = reported != systemPorts.end();
        comPaths.push_back(port.path);
    }
    std::vector<PortEntry> others;
    for (const SystemPort& port : systemPorts) {
        if (port.path.empty() ||
            std::find(comPaths.begin(), comPaths.end(), port.path) != comPaths.end())
            continue;
        others.push_back(Entry(port.byId.empty() ? port.path : port.byId, port));
    }
    std::sort(others.begin(), others.end(),
              [](const PortEntry& a, const PortEntry& b) { return a.name < b.name; });
    others.erase(
        std::unique(others.begin(), others.end(),
                    [](const PortEntry& a, const PortEntry& b) { return a.name == b.name; }),
        others.end());
    entries.insert(entries.end(), others.begin(), others.end());
    return entries;
}

} // namespace rq7::device
