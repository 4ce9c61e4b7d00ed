#include "operations/Backups.h"

#include "device/Block.h"
#include "operations/SettingsFile.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/SettingsSize.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace rq7 {

namespace {

constexpr std::size_t kDateLength = 19; // "2026-12-08_14-03-12"
// The longest name: the system's 255 bytes less the temporary file's
// additions while the backup is saved ("." and ".XXXXXX").
constexpr std::size_t kNameLimit = 240;
const std::string kSuffix = ".eep";

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

// At most `limit` bytes of UTF-8 text, never ending inside a character.
std::string shortened(const std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

// A number of `count` digits at `from`; -1 when they are not all digits.
int number(const std::string& text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "2026-12-08_14-03-12" as a time, when it is a real date and time.
bool parseDate(const std::string& date, std::tm& when) {
    if (date[4] != '-' || date[7] != '-' || date[10] != '_' || date[13] != '-' || date[16] != '-')
        return false;
    when = std::tm{};
    when.tm_year = number(date, 0, 4) - 1900;
    when.tm_mon = number(date, 5, 2) - 1;
    when.tm_mday = number(date, 8, 2);
    when.tm_hour = number(date, 11, 2);
    when.tm_min = number(date, 14, 2);
    when.tm_sec = number(date, 17, 2);
    // The date normalised must be the same date: no 13th month, no 31st of April.
    std::tm check = when;
    const std::time_t t = timegm(&check);
    return when.tm_year >= 0 && when.tm_mon >= 0 && when.tm_mday >= 1 && when.tm_hour >= 0 &&
           when.tm_min >= 0 && when.tm_sec >= 0 && t != -1 && check.tm_year == when.tm_year &&
           check.tm_mon == when.tm_mon && check.tm_mday == when.tm_mday &&
           check.tm_hour == when.tm_hour && check.tm_min == when.tm_min &&
           check.tm_sec == when.tm_sec;
}

std::string shownDate(const std::tm& when) {
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &when);
    return text;
}

// A backup with what orders it: its time, then its number within the second.
struct Listed {
    BackupEntry entry;
    std::time_t time = 0;
    long sequence = 1;
};

// The parts of a backup's file name; false for any other name.
bool parseName(const std::string& name, Listed& listed) {
    if (name.size() < kDateLength + 2 + kSuffix.size() ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return false;
    std::tm when{};
    if (!parseDate(name.substr(0, kDateLength), when))
        return false;
    std::size_t at = kDateLength;
    const bool utc = name[at] == 'Z';
    if (utc) {
        ++at;
        if (name[at] == '-') {
            const std::size_t digits = name.find('_', at + 1);
            if (digits == std::string::npos || digits == at + 1 || digits - at - 1 > 6 ||
                number(name, at + 1, digits - at - 1) < 2)
                return false;
            listed.sequence = number(name, at + 1, digits - at - 1);
            at = digits;
        }
    }
    if (name[at] != '_')
        return false;
    const std::string rest = name.substr(at + 1, name.size() - at - 1 - kSuffix.size());
    const std::size_t separator = rest.find('_');
    BackupEntry& entry = listed.entry;
    entry.model = rest.substr(0, separator);
    entry.station = separator == std::string::npos ? std::string() : rest.substr(separator + 1);
    if (entry.model.empty())
        return false;
    if (utc) {
        listed.time = timegm(&when);
        std::tm local{};
        localtime_r(&listed.time, &local);
        entry.date = shownDate(local);
    } else {
        // Older backups: named in local time.
        entry.date = shownDate(when);
        when.tm_isdst = -1;
        listed.time = std::mktime(&when);
    }
    return true;
}

// Takes a name in `folder` that no file has: the backup's, else numbered
// within its second. The file is created empty and exclusively, so that no
// other program's backup of the same second gets or replaces it; the save
// then replaces only this one.
std::optional<fs::path> reservePath(const fs::path& folder, const std::tm& when,
                                    const std::string& model, const std::string& station) {
    for (int sequence = 1; sequence < 1000; ++sequence) {
        const fs::path path = folder / BackupFileName(when, model, station, sequence);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

void showStatusLine(WorkflowContext& context, const std::string& text) {
    context.status.showStatusWithoutCancel(text);
}

// A backup is only worth what it restores, so the device's image is read
// twice; while a block differs between the reads, the image is read again,
// this many times in all at most, until two reads agree on every block.
constexpr int kBackupReads = 4;
constexpr long kBlock = static_cast<long>(device::kBlockSize);

// Puts into `out` each block of [0, length) that two of `reads` agree on;
// false while a block has no two reads agreeing.
bool agreedImage(const std::vector<std::unique_ptr<EepromImage>>& reads, long length,
                 EepromImage& out) {
    for (long block = 0; block < length; block += kBlock) {
        const auto sameBlock = [block](const EepromImage& a, const EepromImage& b) {
            return std::equal(a.data() + block, a.data() + block + kBlock, b.data() + block);
        };
        bool agreed = false;
        for (std::size_t i = 0; i < reads.size() && !agreed; ++i)
            for (std::size_t j = i + 1; j < reads.size() && !agreed; ++j)
                if (sameBlock(*reads[i], *reads[j])) {
                    for (long a = block; a < block + kBlock; ++a)
                        out.SetImageByte(reads[i]->data()[a], a);
                    agreed = true;
                }
        if (!agreed)
            return false;
    }
    return true;
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

std::string BackupFileName(const std::tm& utc, const std::string& model, const std::string& station,
                           int sequence) {
    char date[80];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d_%02d-%02d-%02dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    std::string name = date;
    if (sequence > 1)
        name += "-" + std::to_string(sequence);
    name += "_" + shortened(namePart(model.empty() ? "RQ7" : model), kNameLimit / 4);
    if (!station.empty() && name.size() + 1 + kSuffix.size() < kNameLimit)
        name += "_" + shortened(namePart(station), kNameLimit - name.size() - 1 - kSuffix.size());
    return name + kSuffix;
}

std::vector<BackupEntry> ListBackups(const fs::path& folder) {
    std::vector<Listed> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        Listed listed;
        if (!it->is_regular_file(error) || !parseName(it->path().filename().string(), listed))
            continue;
        listed.entry.path = it->path();
        listed.entry.size = it->file_size(error);
        found.push_back(std::move(listed));
    }
    std::sort(found.begin(), found.end(), [](const Listed& a, const Listed& b) {
        if (a.time != b.time)
            return a.time < b.time;
        if (a.sequence != b.sequence)
            return a.sequence < b.sequence;
        return a.entry.path.filename() < b.entry.path.filename();
    });
    std::vector<BackupEntry> entries;
    for (Listed& listed : found)
        entries.push_back(std::move(listed.entry));
    return entries;
}

void RotateBackups(const fs::path& folder, const std::string& model, int keep,
                   const fs::path& justMade) {
    std::vector<BackupEntry> ofModel;
    for (BackupEntry& entry : ListBackups(folder))
        if (entry.model == shortened(namePart(model.empty() ? "RQ7" : model), kNameLimit / 4) &&
            entry.path != justMade)
            ofModel.push_back(std::move(entry));
    // The one just made counts among those kept.
    const std::size_t kept =
        static_cast<std::size_t>(std::max(keep - (justMade.empty() ? 0 : 1), 0));
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
    const ImageReadResult read = device.readImage(*image, eepromSize, "msg098");
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
    case ImageRead::OutOfOrder:
        return {BackupOutcome::ReadFailed, {}};
    }
    const long length = read.length;
    std::vector<std::unique_ptr<EepromImage>> reads;
    reads.push_back(std::move(image));
    image = std::make_unique<EepromImage>();
    for (int done = 1; !agreedImage(reads, length, *image); ++done) {
        if (done == kBackupReads)
            return {BackupOutcome::ReadFailed, {}};
        auto again = std::make_unique<EepromImage>();
        const ImageReadResult reread = device.readImage(*again, eepromSize, "msg098");
        if (reread.outcome == ImageRead::Cancelled)
            return {BackupOutcome::Stopped, {}};
        // A read whose header came out otherwise agrees with none.
        const bool otherHeader = reread.outcome == ImageRead::Unprogrammed ||
                                 reread.outcome == ImageRead::PastEeprom ||
                                 (reread.outcome == ImageRead::Read && reread.length != length);
        if (reread.outcome == ImageRead::Read && !otherHeader)
            reads.push_back(std::move(again));
        else if (!otherHeader)
            return {BackupOutcome::ReadFailed, {}};
    }
    SettingsRecord settings;
    const bool named = ReadImage(*image, settings, {}).ok;

    std::error_code error;
    fs::create_directories(target.folder, error);
    const std::string station = named ? settings.tabJmenoStanice : "";
    const std::optional<fs::path> reserved =
        error ? std::nullopt : reservePath(target.folder, target.now(), target.model, station);
    const fs::path path =
        reserved ? *reserved : target.folder / BackupFileName(target.now(), target.model, station);
    if (!reserved)
        return {BackupOutcome::SaveFailed, path,
                error ? error.message() : std::string(std::strerror(errno))};
    // Saved without the overwrite question (the name is this backup's own)
    // and without a status line of its own: the backup's stays.
    const WrittenSettingsFile file =
        WriteSettingsFile(path.string(), *image, SavedFileLength(length + 1));
    if (!file.written) {
        if (fs::file_size(path, error) == 0)
            fs::remove(path, error); // the empty reservation
        return {BackupOutcome::SaveFailed, path, file.detail};
    }
    RotateBackups(target.folder, target.model, kBackupsKept, path);
    showStatusLine(context, texts.get("msg096") + path.string());
    return {BackupOutcome::Saved, path};
}

} // namespace rq7
