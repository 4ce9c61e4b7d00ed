#include "operations/DeviceJob.h"

#include "device/DeviceMessages.h"
#include "operations/Backups.h"
#include "operations/DeviceLinkTransfer.h"
#include "operations/EepromTransfer.h"
#include "operations/SettingsFile.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "settings/SettingsText.h"

#include <memory>

namespace rq7 {

namespace {

// Passes every message on and keeps the last one that was no question.
class TellingPrompter : public Prompter {
public:
    explicit TellingPrompter(Prompter& inner) : inner_(inner) {}
    Answer ask(const Message& message) override {
        if (message.buttons == Buttons::Ok)
            last = message;
        return inner_.ask(message);
    }
    Message last;

private:
    Prompter& inner_;
};

// The lines of a settings text by field name.
std::vector<std::pair<std::string, std::string>> fieldLines(const SettingsRecord& record) {
    std::vector<std::pair<std::string, std::string>> lines;
    const std::string text = FormatSettingsText(record);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const std::size_t eq = line.find('=');
        lines.emplace_back(line.substr(0, eq), eq == std::string::npos ? "" : line.substr(eq + 1));
        start = end + 1;
    }
    return lines;
}

// The settings an image's bytes hold; nullopt when they hold none.
std::optional<SettingsRecord> settingsOf(const std::string& bytes,
                                         const std::vector<std::string>& smsItems) {
    if (bytes.size() > static_cast<std::size_t>(EepromImage::kSize))
        return std::nullopt;
    auto image = std::make_unique<EepromImage>();
    for (std::size_t a = 0; a < bytes.size(); ++a)
        image->SetImageByte(static_cast<unsigned char>(bytes[a]), static_cast<long>(a));
    SettingsRecord record;
    if (!image->IsImageValid() || !ReadImage(*image, record, smsItems).ok)
        return std::nullopt;
    return record;
}

// The fields whose values differ between the backup file and the image
// written, both as the device holds them (a flag the image cannot keep is
// no change); nullopt when either cannot be read back.
std::optional<std::vector<std::string>> changedFields(const std::string& backupPath,
                                                      const std::string& writtenImage,
                                                      const std::vector<std::string>& smsItems) {
    auto image = std::make_unique<EepromImage>();
    const OpenedSettingsFile backup = OpenSettingsFile(backupPath, *image, {}, smsItems);
    const std::optional<SettingsRecord> before =
        backup.outcome == SettingsFileOpen::Opened ? std::optional(backup.record) : std::nullopt;
    const std::optional<SettingsRecord> written = settingsOf(writtenImage, smsItems);
    if (!before || !written)
        return std::nullopt;
    const auto old = fieldLines(*before);
    const auto now = fieldLines(*written);
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < now.size() && i < old.size(); ++i)
        if (old[i] != now[i])
            changed.push_back(now[i].first);
    return changed;
}

// The message an activation that did not reach Aktivni ended with.
Message activationMessage(const device::ActivationResult& result, const std::string& port,
                          const Texts& texts) {
    switch (result.outcome) {
    case device::ActivationOutcome::PortFailed:
        return device::PortFailedMessage(texts, port, result.portError);
    case device::ActivationOutcome::VersionTooOld:
        return device::VersionTooOldMessage(texts, result.minimum);
    case device::ActivationOutcome::ConnectionLost:
        return device::ConnectionLostMessage(texts);
    default:
        return device::ActivationFailedMessage(texts);
    }
}

InstallResult resultOf(Outcome outcome, bool cancelled) {
    if (outcome == Outcome::Done)
        return InstallResult::Written;
    if (outcome == Outcome::ConnectionLost)
        return InstallResult::Lost;
    if (outcome == Outcome::Stopped || cancelled)
        return InstallResult::Cancelled;
    return InstallResult::Failed;
}

} // namespace

std::string SettingsImageBytes(const SettingsRecord& settings) {
    auto image = std::make_unique<EepromImage>();
    if (!WriteImage(settings, *image).ok || !image->IsImageValid())
        return {};
    std::string bytes;
    for (long a = 0, length = SavedFileLength(SettingsSize(settings)); a < length; ++a)
        bytes += static_cast<char>(image->GetImageByte(a).value_or(0));
    return bytes;
}

std::string RecordSettings::usageCaption() const {
    return std::to_string(SettingsSize(record_)) + " byte";
}

WriteJobResult WriteToActiveDevice(WorkflowContext& context, EepromTransfer& device,
                                   const BackupTarget* backup, const device::DeviceInfo& info,
                                   const RecordContext& recordContext) {
    TellingPrompter telling(context.prompter);
    WorkflowContext told{context.settings, context.image, telling, context.status, context.texts};
    const SettingsRecord settings = context.settings.record();
    DeviceWriteFacts facts;
    WriteJobResult result;
    result.outcome = SaveToDevice(told, device, backup, &facts);
    result.told = telling.last;
    if (!facts.started)
        return result;

    InstallationRecord record;
    record.technician = recordContext.technician;
    record.port = recordContext.port;
    record.model = info.lblInfoProdukt;
    record.version = info.lblInfoVerze;
    record.eeprom = info.eepromSize;
    record.modem = info.lblInfoModem;
    record.station = settings.tabJmenoStanice;
    // A write refused before its image was built records the image it
    // would have written.
    const std::string image =
        facts.imageBytes.empty() ? SettingsImageBytes(settings) : facts.imageBytes;
    record.imageSha256 = Sha256Hex(image);
    record.imageLength = static_cast<long>(image.size());
    if (facts.unprogrammed)
        record.changedAll = true;
    else if (facts.backedUp)
        record.changed = changedFields(facts.backupPath, image, context.settings.smsCentreItems());
    record.verify = facts.verified;
    record.result = resultOf(result.outcome, context.status.cancelRequested());
    record.detail =
        result.told.key.empty() ? result.told.text : result.told.key + " " + result.told.text;
    if (facts.backedUp)
        record.backup = facts.backupPath;
    record.source = recordContext.source;
    record.series = recordContext.series;
    record.row = recordContext.row;
    if (!recordContext.folder.empty())
        result.recorded = AppendInstallation(recordContext.folder, record, result.recordError);
    record.time = record.time.empty() ? IsoTimeNow() : record.time;
    result.record = std::move(record);
    return result;
}

DeviceJobResult RunDeviceJob(device::DeviceLink& link, const SettingsRecord& settings,
                             const DeviceJobSetup& setup, Prompter& prompter, StatusSink& status,
                             const Texts& texts) {
    DeviceJobResult result;
    result.activation = link.Activate(setup.port, setup.activation);
    result.activated = result.activation.state == device::ConnectionState::Aktivni;
    if (result.activated) {
        RecordSettings holder(settings, result.activation.info.lblInfoPamSize, setup.verify);
        auto image = std::make_unique<EepromImage>();
        WorkflowContext context{holder, *image, prompter, status, texts};
        DeviceLinkTransfer transfer(link);
        BackupTarget backup{setup.backupFolder, result.activation.info.lblInfoProdukt};
        RecordContext record = setup.record;
        record.port = setup.port;
        result.write =
            WriteToActiveDevice(context, transfer, setup.backupFolder.empty() ? nullptr : &backup,
                                result.activation.info, record);
        result.told = result.write.told;
    } else {
        result.told = activationMessage(result.activation, setup.port, texts);
    }
    result.cancelled = status.cancelRequested();
    if (device::IsActive(link.state()))
        result.leftActive = link.Deactivate().outcome != device::DeactivationOutcome::Confirmed;
    return result;
}

} // namespace rq7
