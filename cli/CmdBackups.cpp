// rq7ctl backups [--dir DIR]: the backups that writes to a device left, one
// line each, oldest first: path, date, model, station, size.

#include "cli/Command.h"
#include "operations/Backups.h"

#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage = "usage: rq7ctl backups [--dir DIR]\n";

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::filesystem::path folder = DefaultBackupFolder();
    if (args.size() == 2 && args[0] == "--dir" && !args[1].empty()) {
        folder = args[1];
    } else if (!args.empty()) {
        err << kUsage;
        return kExitBadInput;
    }
    if (folder.empty()) {
        err << "rq7ctl backups: no backup folder (HOME is not set); give --dir\n";
        return kExitBadInput;
    }
    // Tab-separated, so that a station with blanks stays one column.
    for (const BackupEntry& entry : ListBackups(folder))
        out << entry.path.string() << '\t' << entry.date << '\t' << entry.model << '\t'
            << entry.station << '\t' << entry.size << '\n';
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"backups", "[--dir DIR]",
     "list the backups made before device writes (default folder: $RQ7_BACKUP_DIR, else\n"
     "      ~/.local/share/RQ7 Init/backups): path, date, model, station, size in bytes",
     run}};

} // namespace

} // namespace rq7::cli
