#include "device/qt/SystemPorts.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <map>

namespace rq7::device {

namespace fs = std::filesystem;

std::vector<SystemPort> SystemSerialPorts(const std::string& byIdDir) {
    // device -> by-id link; the first in name order when a device has more.
    std::map<std::string, std::string> byId;
    std::error_code error;
    std::vector<fs::path> links;
    for (fs::directory_iterator entry(byIdDir, error), end; !error && entry != end;
         entry.increment(error))
        links.push_back(entry->path());
    std::sort(links.begin(), links.end());
    for (const fs::path& link : links) {
        std::error_code linkError;
        const fs::path target = fs::canonical(link, linkError);
        if (!linkError)
            byId.emplace(target.string(), link.string());
    }

    std::vector<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SystemPort port;
        port.path = info.systemLocation().toStdString();
        if (const auto found = byId.find(port.path); found != byId.end())
            port.byId = found->second;
        port.description = info.description().toStdString();
        port.manufacturer = info.manufacturer().toStdString();
        port.serialNumber = info.serialNumber().toStdString();
        ports.push_back(std::move(port));
    }
    return ports;
}

} // namespace rq7::device
