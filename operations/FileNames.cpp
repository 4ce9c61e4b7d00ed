#include "operations/FileNames.h"

#include <cctype>
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

std::string OfferedSaveName(const std::string& documentName, const std::string& station) {
    const std::string suffix = ".eep";
    const auto isSettingsFile = [&](const std::string& name) {
        if (name.size() <= suffix.size())
            return false;
        std::string end = name.substr(name.size() - suffix.size());
        for (char& c : end)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return end == suffix && !IsWildcardName(name);
    };
    if (isSettingsFile(documentName))
        return documentName;
    std::string name;
    for (const char c : station) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':' ||
                            c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
        name += unsafe ? '-' : c;
    }
    const bool blank = name.find_first_not_of(" .-") == std::string::npos;
    return (blank ? std::string("nastaveni") : name) + suffix;
}

bool IsWildcardName(const std::string& name) {
    return fs::path(name).filename().string().find_first_of("*?") != std::string::npos;
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
