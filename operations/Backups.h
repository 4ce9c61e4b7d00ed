#pragma once
// Backups of a device's settings, made before every write to the device:
// one settings file per backup in a per-user folder, named after the time
// in UTC, the model and the station, the newest 50 per model kept.
//
//   <folder>/2026-12-08_14-03-12Z_RQ7_Chata7.eep
//   <folder>/2026-12-08_14-03-12Z-2_RQ7_Chata7.eep    (the second in that second)
//
// Model and station appear in the name with every character that a file
// name or the "_" separator cannot carry replaced by "-"; a station without
// a name leaves its part out, a long one is shortened to keep the name
// within the system's limit. Names are taken exclusively: a backup never
// replaces a file. Names without the "Z" (local time, the counter after the
// station) are older backups and still count.

#include "operations/EepromTransfer.h"
#include "operations/Workflows.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rq7 {

inline constexpr int kBackupsKept = 50;

// The backup folder: $RQ7_BACKUP_DIR when set, else "RQ7 Init/backups" in
// the user's data folder ($XDG_DATA_HOME, else ~/.local/share). Empty when
// neither a data folder nor HOME is known.
std::filesystem::path DefaultBackupFolder();

// "2026-12-08_14-03-12Z_RQ7_Chata7.eep" for that time in UTC, model and
// station; `sequence` above 1 numbers further backups within one second.
std::string BackupFileName(const std::tm& utc, const std::string& model, const std::string& station,
                           int sequence = 1);

struct BackupEntry {
    std::filesystem::path path;
    std::string date; // "2026-12-08 14:03:12", local time
    std::string model;
    std::string station; // as in the name; empty when it has none
    std::uintmax_t size = 0;
};

// The backups in `folder` (regular files whose names have the backup form
// with a valid date and time), oldest first, those of one second in the
// order they were made; none when the folder does not exist.
std::vector<BackupEntry> ListBackups(const std::filesystem::path& folder);

// Removes the oldest backups of `model` (as named) beyond `keep`, never
// `justMade` (a clock set back makes the newest backup look oldest).
void RotateBackups(const std::filesystem::path& folder, const std::string& model,
                   int keep = kBackupsKept, const std::filesystem::path& justMade = {});

// Where and for which device a backup is made.
struct BackupTarget {
    std::filesystem::path folder;
    std::string model; // lblInfoProdukt
    // The time in UTC.
    std::function<std::tm()> now = [] {
        const std::time_t t = std::time(nullptr);
        std::tm utc{};
        gmtime_r(&t, &utc);
        return utc;
    };
};

enum class BackupOutcome {
    Saved,        // msg096 + path in the status window
    Unprogrammed, // msg095 in the status window: nothing to back up
    ReadFailed,   // msg091
    Stopped,      // Storno while reading: msg097
    SaveFailed,   // msg092 + path + msg093
};

struct BackupResult {
    BackupOutcome outcome = BackupOutcome::ReadFailed;
    std::filesystem::path path; // Saved, SaveFailed: the backup file
    std::string reason = {};    // SaveFailed: the system's reason
};

// Reads the device's present settings through `device` (the read of the
// load from the device) into a buffer of its own and saves their image (its
// length in bytes) with the ordinary settings-file save.
// Shows msg094 first, then the read's and the save's own status; tells
// nothing by message box (the caller does).
BackupResult BackUpDevice(WorkflowContext& context, EepromTransfer& device,
                          const BackupTarget& target);

} // namespace rq7
