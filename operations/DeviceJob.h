#pragma once
// The one device job behind every write of settings into a device:
// activate -> identify -> back up -> write -> verify -> deactivate, then one
// installation record. rq7ctl write and each row of a series run the whole
// job; the main window, whose user activates and deactivates with btDEA,
// runs its write part (WriteToActiveDevice) on the active link, so its
// messages and their order stay those of the save to the device.

#include "device/DeviceLink.h"
#include "operations/InstallationLog.h"
#include "operations/Outcome.h"
#include "operations/SettingsHolder.h"
#include "operations/Workflows.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rq7 {

class EepromTransfer;

// A settings record standing in for the main window's controls, with the
// EEPROM size of the device found (rq7ctl write, a series row).
class RecordSettings : public SettingsHolder {
public:
    RecordSettings(SettingsRecord record, std::string eepromSizeCaption, bool verify)
        : record_(std::move(record)), eepromSize_(std::move(eepromSizeCaption)), verify_(verify) {}

    SettingsRecord record() const override { return record_; }
    void applyRecord(const SettingsRecord& record) override { record_ = record; }
    std::vector<std::string> smsCentreItems() const override { return {}; }
    void showPage(int) override {}
    void focusField(const std::string&) override {}
    std::string usageCaption() const override;
    std::string eepromSizeCaption() const override { return eepromSize_; }
    void updateMemoryUsage() override {}
    bool checkWrite() const override { return verify_; }

private:
    SettingsRecord record_;
    std::string eepromSize_;
    bool verify_;
};

// The bytes of the image the settings make, as a settings file holds them
// and as the save to the device writes them; "" when they make none.
std::string SettingsImageBytes(const SettingsRecord& settings);

// What the installation record says beyond what the job finds out.
struct RecordContext {
    std::filesystem::path folder; // empty: no record is kept
    std::string technician;
    std::string port;
    std::string source; // the settings file, or "window"
    std::optional<std::string> series;
    int row = 0;
};

struct WriteJobResult {
    Outcome outcome = Outcome::WriteFailed;
    // The record of a write the device decided (its size, backup, blocks);
    // nullopt when the settings' own checks refused before it.
    std::optional<InstallationRecord> record;
    bool recorded = false;   // the record is in the file
    std::string recordError; // why it is not
    Message told;            // the message that ended the write
};

// The write part on an active device: the save to the device with its
// backup (nullptr: none), then the installation record. `info`: the
// device's identification as the labels show it.
WriteJobResult WriteToActiveDevice(WorkflowContext& context, EepromTransfer& device,
                                   const BackupTarget* backup, const device::DeviceInfo& info,
                                   const RecordContext& recordContext);

struct DeviceJobSetup {
    std::string port;
    device::ActivationOptions activation;
    bool verify = true;
    std::filesystem::path backupFolder; // empty: no backup
    RecordContext record;               // its port is `port`
};

struct DeviceJobResult {
    device::ActivationResult activation;
    bool activated = false; // Aktivni: the write part ran
    WriteJobResult write;   // when activated
    // The device did not confirm the end of programming mode.
    bool leftActive = false;
    bool cancelled = false; // the user's Storno ended it

    bool written() const { return activated && write.outcome == Outcome::Done; }
    // The message that ended the job: the activation's or the write's.
    Message told;
};

// The whole job for one device: activation on setup.port (a device that is
// not Aktivni, wrong version included, is not written), the write part,
// deactivation. Messages go through `prompter`, progress through `status`.
DeviceJobResult RunDeviceJob(device::DeviceLink& link, const SettingsRecord& settings,
                             const DeviceJobSetup& setup, Prompter& prompter, StatusSink& status,
                             const Texts& texts);

} // namespace rq7
