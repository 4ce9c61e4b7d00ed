#include "operations/RecentFiles.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace rq7 {

namespace {

constexpr const char* kStoreRecentFiles = "RecentFiles";

std::vector<std::string> stored(SettingsStore& store) {
    std::string value;
    std::vector<std::string> paths;
    if (!store.read(kSettingsApplication, kSettingsSection, kStoreRecentFiles, value))
        return paths;
    std::istringstream lines(value);
    for (std::string line; std::getline(lines, line) && paths.size() < kRecentFileCount;)
        if (!line.empty() && std::find(paths.begin(), paths.end(), line) == paths.end())
            paths.push_back(line);
    return paths;
}

void store(SettingsStore& settings, const std::vector<std::string>& paths) {
    std::string value;
    for (const std::string& path : paths)
        value += path + "\n";
    settings.write(kSettingsApplication, kSettingsSection, kStoreRecentFiles, value);
}

} // namespace

std::vector<std::string> ReadRecentFiles(SettingsStore& settings) {
    const std::vector<std::string> all = stored(settings);
    std::vector<std::string> present;
    for (const std::string& path : all) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            present.push_back(path);
    }
    if (present.size() != all.size())
        store(settings, present);
    return present;
}

void RememberRecentFile(SettingsStore& settings, const std::string& path) {
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos)
        return;
    std::vector<std::string> paths = stored(settings);
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    if (paths.size() > kRecentFileCount)
        paths.resize(kRecentFileCount);
    store(settings, paths);
}

void ForgetRecentFile(SettingsStore& settings, const std::string& path) {
    std::vector<std::string> paths = stored(settings);
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    store(settings, paths);
}

} // namespace rq7
