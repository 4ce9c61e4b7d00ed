#include "operations/Backups.h"

#include "operations/SettingsFile.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/SettingsSize.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace rq7 {

namespace {

constexpr std::size_t kDateLength = 19; // "2026-12-08_14-03-12"

// A name part: what a file name or the "_" separator cannot carry becomes "-".
std::string namePart(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = byte < 0x20 || byte == 0x7F || c == '_' || c == '/' || c == '\\' ||
                            c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
                            c == '|' || c == ' ';
        out += unsafe ? '-' : c;
    }
    return out;
}

bool isDigits(const std::string& text, std::size_t from, std::size_t count) {
    return std::all_of(text.begin() + static_cast<long>(from),
                       text.begin() + static_cast<long>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The parts of a backup's file name; false for any other name.
bool parseName(const std::string& name, BackupEntry& entry) {
    const std::string suffix = ".eep";
    if (name.size() < kDateLength + 2 + suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string date = name.substr(0, kDateLength);
    const bool dateForm = isDigits(date, 0, 4) && date[4] == '-' && isDigits(date, 5, 2) &&
                          date[7] == '-' && isDigits(date, 8, 2) && date[10] == '_' &&
                          isDigits(date, 11, 2) && date[13] == '-' && isDigits(date, 14, 2) &&
                          date[16] == '-' && isDigits(date, 17, 2);
    if (!dateForm || name[kDateLength] != '_')
        return false;
    const std::string rest =
        name.substr(kDateLength + 1, name.size() - kDateLength - 1 - suffix.size());
    const std::size_t separator = rest.find('_');
    entry.model = rest.substr(0, separator);
    entry.station = separator == std::string::npos ? std::string() : rest.substr(separator + 1);
    if (entry.model.empty())
        return false;
    entry.date = date.substr(0, 10) + ' ' + date.substr(11, 2) + ':' + date.substr(14, 2) + ':' +
                 date.substr(17, 2);
    return true;
}

// A name in `folder` that no file has yet: the backup name, else with a
// counter before the suffix (two backups within one second).
fs::path freshPath(const fs::path& folder, const std::string& name) {
    std::error_code error;
    fs::path path = folder / name;
    const std::string stem = name.substr(0, name.size() - 4);
    for (int n = 2; fs::exists(path, error); ++n)
        path = folder / (stem + "-" + std::to_string(n) + ".eep");
    return path;
}

void showStatusLine(WorkflowContext& context, const std::string& text) {
    context.status.showStatusWithoutCancel(text);
}

} // namespace

fs::path DefaultBackupFolder() {
    if (const char* dir = std::getenv("RQ7_BACKUP_DIR"); dir && *dir)
        return dir;
    fs::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        data = fs::path(home) / ".local" / "share";
    else
        return {};
    return data / "RQ7 Init" / "backups";
}

std::string BackupFileName(const std::tm& when, const std::string& model,
                           const std::string& station) {
    char date[80];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d_%02d-%02d-%02d", when.tm_year + 1900,
                  when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    std::string name = std::string(date) + "_" + namePart(model.empty() ? "RQ7" : model);
    if (!station.empty())
        name += "_" + namePart(station);
    return name + ".eep";
}

std::vector<BackupEntry> ListBackups(const fs::path& folder) {
    std::vector<BackupEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        BackupEntry entry;
        if (!it->is_regular_file(error) || !parseName(it->path().filename().string(), entry))
            continue;
        entry.path = it->path();
        entry.size = it->file_size(error);
        entries.push_back(std::move(entry));
    }
    // The name starts with the time, so name order is age order.
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.path.filename() < b.path.filename();
    });
    return entries;
}

void RotateBackups(const fs::path& folder, const std::string& model, int keep) {
    std::vector<BackupEntry> ofModel;
    for (BackupEntry& entry : ListBackups(folder))
        if (entry.model == namePart(model))
            ofModel.push_back(std::move(entry));
    const std::size_t kept = static_cast<std::size_t>(std::max(keep, 0));
    for (std::size_t i = 0; i + kept < ofModel.size(); ++i) {
        std::error_code error;
        fs::remove(ofModel[i].path, error); // one left over is removed next time
    }
}

BackupResult BackUpDevice(WorkflowContext& context, EepromTransfer& device,
                          const BackupTarget& target) {
    const Texts& texts = context.texts;
    showStatusLine(context, texts.get("msg094"));
    // The program's image holds what is about to be written.
    auto image = std::make_unique<EepromImage>();
    const long eepromSize = LabelNumber(context.settings.eepromSizeCaption());
    // The same read as the load from the device: only the image's blocks.
    const ImageReadResult read = device.readImage(*image, eepromSize);
    switch (read.outcome) {
    case ImageRead::Read:
        break;
    case ImageRead::Unprogrammed:
        showStatusLine(context, texts.get("msg095"));
        return {BackupOutcome::Unprogrammed, {}};
    case ImageRead::Cancelled:
        return {BackupOutcome::Stopped, {}};
    case ImageRead::PastEeprom:
    case ImageRead::BlockFailed:
    case ImageRead::ConnectionLost:
        return {BackupOutcome::ReadFailed, {}};
    }
    SettingsRecord settings;
    const bool named = ReadImage(*image, settings, {}).ok;
    const long length = read.length;

    std::error_code error;
    fs::create_directories(target.folder, error);
    const fs::path path =
        freshPath(target.folder, BackupFileName(target.now(), target.model,
                                                named ? settings.tabJmenoStanice : ""));
    if (error || SaveImageFile(path.string(), *image, length + 1, context.prompter, context.status,
                               texts) != FileWrite::Written)
        return {BackupOutcome::SaveFailed, path};
    RotateBackups(target.folder, target.model);
    showStatusLine(context, texts.get("msg096") + path.string());
    return {BackupOutcome::Saved, path};
}

} // namespace rq7
