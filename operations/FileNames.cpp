#include "operations/FileNames.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace rq7 {

std::string WithEepSuffix(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    if (name.empty() || name.find('.', 1) != std::string::npos)
        return path;
    return path + ".eep";
}

RecentFolder::RecentFolder(SettingsStore* store, std::string fallback)
    : store_(store), fallback_(std::move(fallback)) {}

std::string RecentFolder::folder() const {
    std::string saved;
    std::error_code error;
    if (store_ && store_->read(kSettingsApplication, kSettingsSection, kLastFolderKey, saved) &&
        !saved.empty() && fs::is_directory(saved, error))
        return saved;
    return fallback_;
}

void RecentFolder::remember(const std::string& chosenFile) {
    const std::string folder = fs::path(chosenFile).parent_path().string();
    // A failed write only costs the next run its starting folder.
    if (store_ && !folder.empty())
        store_->write(kSettingsApplication, kSettingsSection, kLastFolderKey, folder);
}

} // namespace rq7
