// rq7ctl write --port DEV FILE.eep [--no-verify] [--no-backup]: a settings
// file into the device, decided as the main window decides a save to the
// device. The file must hold a valid image; it is read into settings, which
// pass the output cross rule before the device is touched; then the settings
// size is checked against the EEPROM, the device's present settings are
// backed up (unless --no-backup), the image is built again from the
// settings and written block by block (read back unless --no-verify).

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "cli/SettingsFiles.h"
#include "operations/Backups.h"
#include "operations/DeviceLinkTransfer.h"
#include "operations/Workflows.h"
#include "settings/EepromImage.h"
#include "settings/SettingsSize.h"
#include "ui/main/rules/OutputCrossRule.h"

#include <memory>
#include <optional>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl write --port DEV FILE.eep [--no-verify] [--no-backup] [--wait SECONDS]\n"
    "       [--trace FILE]\n";

// The settings of the file stand in for the main window's controls.
class FileSettings : public SettingsHolder {
public:
    FileSettings(SettingsRecord record, std::string eepromSizeCaption, bool verify)
        : record_(std::move(record)), eepromSize_(std::move(eepromSizeCaption)), verify_(verify) {}

    SettingsRecord record() const override { return record_; }
    void applyRecord(const SettingsRecord& record) override { record_ = record; }
    std::vector<std::string> smsCentreItems() const override { return {}; }
    void showPage(int) override {}
    void focusField(const std::string&) override {}
    std::string usageCaption() const override {
        return std::to_string(SettingsSize(record_)) + " byte";
    }
    std::string eepromSizeCaption() const override { return eepromSize_; }
    void updateMemoryUsage() override {}
    bool checkWrite() const override { return verify_; }

private:
    SettingsRecord record_;
    std::string eepromSize_;
    bool verify_;
};

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

int run(const std::vector<std::string>& arguments, std::ostream& /*out*/, std::ostream& err) {
    std::vector<std::string> args = arguments;
    DeviceOptions options;
    if (const auto error = takeDeviceOptions(args, options)) {
        err << "rq7ctl write: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    bool verify = true;
    bool backUp = true;
    std::string path;
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
    device::ActivationResult activation;
    if (const std::optional<int> stop = session.activateForTransfer(activation))
        return *stop;
    FileSettings settings(record, activation.info.lblInfoPamSize, verify);
    WorkflowContext context{settings, *image, session.prompter(), session.status(),
                            session.texts()};
    DeviceLinkTransfer transfer(session.link());
    backup.model = activation.info.lblInfoProdukt;
    const Outcome outcome = SaveToDevice(context, transfer, backUp ? &backup : nullptr);
    session.finish();
    return session.exitStatus(exitStatus(outcome));
}

const CommandRegistration registration{
    {"write", "--port DEV FILE.eep [--no-verify] [--no-backup] [--wait SECONDS] [--trace FILE]",
     "write a settings file into the device, each block read back unless --no-verify;\n"
     "      the device's settings are backed up first (see 'backups') unless --no-backup",
     run}};

} // namespace

} // namespace rq7::cli
