#pragma once
// The installation record: one JSON object per line in installations.jsonl,
// appended for every write that reached a device (the window's save to the
// device, rq7ctl write, each row of a series), whatever its result.
//
//   {"time":"2026-12-08T14:03:12+01:00","technician":"Jan Novak","port":"COM 1",
//    "model":"RQ7","version":"1.5","eeprom":1024,"modem":"TC35 Siemens",
//    "station":"Chata7","image_sha256":"…","image_length":182,
//    "changed":["tabPIN"],"verify":true,"result":"written","detail":"msg023 …",
//    "backup":"/…/backups/2026-12-08_14-03-12_RQ7_Chata7.eep","source":"base.eep",
//    "series":"devices.csv","row":2}
//
// A line is appended with one write() of the whole line to a file opened
// with O_APPEND, then fsync: two programs appending at once never mix their
// lines, and a line once written survives a crash.

#include "ports/SettingsStore.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rq7 {

inline constexpr const char* kInstallationsFile = "installations.jsonl";
// The settings-store key of the technician's name set in the window.
inline constexpr const char* kStoreTechnician = "Technician";

// The values of a result as the record writes them.
enum class InstallResult { Written, Failed, Cancelled, Lost };
const char* resultName(InstallResult result);

struct InstallationRecord {
    std::string time; // ISO 8601 with the offset; filled by the append when empty
    std::string technician;
    std::string port;
    std::string model;
    std::string version;
    long eeprom = 0;
    std::string modem;
    std::string station;
    std::string imageSha256;
    long imageLength = 0;
    // The fields that differ from the backup; nullopt when unknown (no
    // backup), `changedAll` when the device held no settings.
    std::optional<std::vector<std::string>> changed;
    bool changedAll = false;
    bool verify = false;
    InstallResult result = InstallResult::Failed;
    std::string detail;
    std::optional<std::string> backup; // path
    std::string source;                // file path, or "window"
    std::optional<std::string> series; // the table's path
    int row = 0;                       // with series: the table row (1 = first data row)
};

// The folder of the record: $RQ7_LOG_DIR when set, else the folder that
// holds the backup folder. Empty when neither is known.
std::filesystem::path DefaultLogFolder();

// The technician's name: `given` (--technician) when not empty, else
// $RQ7_TECHNICIAN, else the name set in the window (kStoreTechnician, when
// a store is given), else the login's full name, else the login name.
std::string TechnicianName(const std::string& given, SettingsStore* store);

// The local time now, e.g. "2026-12-08T14:03:12+01:00".
std::string IsoTimeNow();

// The lowercase hex SHA-256 of the bytes.
std::string Sha256Hex(const std::string& bytes);

// One record as its JSON line (no line end).
std::string RecordJson(const InstallationRecord& record);
// A JSON line back into a record; false when it is not one.
bool ParseRecordJson(const std::string& line, InstallationRecord& record);

// Appends the record to <folder>/installations.jsonl, creating the folder
// and the file (mode 0600) when needed. False with the system's reason when
// the line could not be written in full (the file then ends as it was, or
// with the whole line).
bool AppendInstallation(const std::filesystem::path& folder, InstallationRecord record,
                        std::string& error);

// Every record of <folder>/installations.jsonl in file order; lines that
// are no record are counted in `skipped`. False with the reason when the
// file exists but cannot be read; none when it does not exist.
bool ReadInstallations(const std::filesystem::path& folder,
                       std::vector<InstallationRecord>& records, int& skipped, std::string& error);

} // namespace rq7
