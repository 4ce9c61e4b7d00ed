// rq7ctl write --port DEV FILE.eep [--no-verify] [--no-backup]: a settings
// file into the device by the device job (operations/DeviceJob.h), decided
// as the main window decides a save to the device. The file must hold a
// valid image; it is read into settings, which pass the output cross rule
// before the device is touched; then the settings size is checked against
// the EEPROM, the device's present settings are backed up (unless
// --no-backup), the image is built again from the settings and written
// block by block (read back unless --no-verify), and the write goes into
// the installation record.

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "cli/SettingsFiles.h"
#include "operations/Backups.h"
#include "operations/DeviceJob.h"
#include "operations/InstallationLog.h"
#include "settings/EepromImage.h"
#include "ui/main/rules/OutputCrossRule.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl write --port DEV FILE.eep [--no-verify] [--no-backup] [--wait SECONDS]\n"
    "       [--trace FILE] [--technician NAME]\n";

int exitStatus(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done:
        return kExitOk;
    case Outcome::OutputNamesClash:
    case Outcome::ConversionFailed:
    case Outcome::InvalidImage:
        return kExitBadInput;
    case Outcome::ConnectionLost:
        return kExitConnectionLost;
    default:
        return kExitFailure;
    }
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    DeviceOptions options;
    if (const auto error = takeDeviceOptions(args, options)) {
        err << "rq7ctl write: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    bool verify = true;
    bool backUp = true;
    std::string path;
    std::string technician;
    if (const auto error = takeTechnicianOption(args, technician)) {
        err << "rq7ctl write: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    for (const std::string& arg : args) {
        if (arg == "--no-verify")
            verify = false;
        else if (arg == "--no-backup")
            backUp = false;
        else if (path.empty() && !arg.empty() && arg[0] != '-')
            path = arg;
        else {
            err << kUsage;
            return kExitBadInput;
        }
    }
    if (path.empty()) {
        err << kUsage;
        return kExitBadInput;
    }

    BackupTarget backup{DefaultBackupFolder(), ""};
    if (backUp && backup.folder.empty()) {
        err << "rq7ctl write: no folder for the backup (HOME is not set); set RQ7_BACKUP_DIR "
               "or give --no-backup\n";
        return kExitBadInput;
    }
    const std::filesystem::path logFolder = DefaultLogFolder();
    if (logFolder.empty()) {
        err << "rq7ctl write: no folder for the installation record (HOME is not set); set "
               "RQ7_LOG_DIR\n";
        return kExitBadInput;
    }

    // Everything about the file is settled before the device is touched.
    const Texts texts;
    auto image = std::make_unique<EepromImage>();
    const OpenedSettingsFile file = OpenSettingsFile(path, *image);
    if (const std::string error = openFailure(path, file, texts); !error.empty()) {
        err << "rq7ctl write: " << error << '\n';
        return kExitBadInput;
    }
    const SettingsRecord& record = file.record;
    if (const auto clash = rules::OutputCrossRule(rules::OutputWords::from(record), texts)) {
        err << clash->field() << ": " << clash->message.text << '\n';
        return kExitBadInput;
    }

    DeviceSession session(options, err);
    if (session.traceFailed())
        return kExitBadInput;
    DeviceJobSetup setup;
    setup.port = options.port;
    setup.activation = session.activationOptions();
    setup.verify = verify;
    if (backUp)
        setup.backupFolder = backup.folder;
    setup.record = {logFolder,    TechnicianName(technician, nullptr),
                    options.port, std::filesystem::absolute(path).lexically_normal().string(),
                    {},           0};
    const DeviceJobResult job = RunDeviceJob(session.link(), record, setup, session.prompter(),
                                             session.status(), session.texts());
    session.explainActivation(job.activation);
    if (job.leftActive)
        session.reportLeftActive();
    if (!job.activated)
        return session.exitStatus(activationExitStatus(job.activation));
    int status = exitStatus(job.write.outcome);
    if (job.write.outcome == Outcome::Done && job.write.record && job.write.record->backup)
        out << "backup: " << *job.write.record->backup << '\n';
    if (job.write.record && !job.write.recorded) {
        err << "rq7ctl write: the installation record was not kept: " << job.write.recordError
            << '\n';
        if (status == kExitOk)
            status = kExitFailure;
    }
    return session.exitStatus(status);
}

const CommandRegistration registration{
    {"write",
     "--port DEV FILE.eep [--no-verify] [--no-backup] [--wait SECONDS] [--trace FILE]\n"
     "      [--technician NAME]",
     "write a settings file into the device, each block read back unless --no-verify;\n"
     "      the device's settings are backed up first (see 'backups') unless --no-backup;\n"
     "      the write is added to the installation record (see 'log')",
     run}};

} // namespace

} // namespace rq7::cli
