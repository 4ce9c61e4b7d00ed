#include "operations/Workflows.h"

#include "operations/Backups.h"
#include "operations/SettingsFile.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "ui/main/rules/OutputCrossRule.h"

namespace rq7 {

namespace {

// A message with `text`, and a detail shown below it on request.
Outcome tellText(WorkflowContext& context, Outcome outcome, Icon icon, const std::string& key,
                 const std::string& text, const std::string& detail = {}) {
    Message message;
    message.key = key;
    message.text = text;
    message.detail = detail;
    message.icon = icon;
    context.prompter.ask(message);
    return outcome;
}

// A message made of one key's text.
Outcome tell(WorkflowContext& context, Outcome outcome, Icon icon, const std::string& key) {
    return tellText(context, outcome, icon, key, context.texts.get(key));
}

// A message of the form <key1 text><name><key2 text>, with an optional detail.
Outcome tell(WorkflowContext& context, Outcome outcome, Icon icon, const std::string& key1,
             const std::string& name, const std::string& key2, const std::string& detail = {}) {
    return tellText(context, outcome, icon, key1,
                    context.texts.get(key1) + name + context.texts.get(key2), detail);
}

// The text with its %1 replaced by `value`.
std::string filledIn(std::string text, const std::string& value) {
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

// The settings size from a freshly computed `lblInfoPamUsage`: the label is
// not refreshed by every change (a picked SMS centre, for one), and a stale
// figure would cut the file or the device write short.
long currentSettingsSize(SettingsHolder& settings) {
    settings.updateMemoryUsage();
    return LabelNumber(settings.usageCaption());
}

// Fills the window from the image under the status text `statusKey`. The
// fields the reader filled before a failure keep their new values. Returns
// the key of the reader's message when it did not complete, else "".
std::string convertIntoWindow(WorkflowContext& context, const std::string& statusKey) {
    context.settings.showPage(kGeneralPage);
    context.status.showStatusWithoutCancel(context.texts.get(statusKey));
    SettingsRecord record = context.settings.record();
    const ReadResult result = ReadImage(context.image, record, context.settings.smsCentreItems());
    context.settings.applyRecord(record);
    context.status.hideStatus();
    context.settings.updateMemoryUsage();
    if (result.ok)
        return {};
    return result.messageKey.empty() ? std::string("msg034") : result.messageKey;
}

// The settings a file load read, into the window (also those of a reader
// that stopped part-way, as convertIntoWindow keeps them).
void applyToWindow(WorkflowContext& context, const SettingsRecord& record) {
    context.settings.showPage(kGeneralPage);
    context.settings.applyRecord(record);
    context.settings.updateMemoryUsage();
}

// The window's settings into the image; false when they do not make a valid one.
bool convertFromWindow(WorkflowContext& context) {
    return WriteImage(context.settings.record(), context.image).ok && context.image.IsImageValid();
}

} // namespace

Outcome LoadFromFile(WorkflowContext& context, FileDialog& dialog) {
    const std::optional<std::string> path = dialog.chooseFileToOpen();
    if (!path)
        return Outcome::DialogCancelled;
    return LoadFromPath(context, *path);
}

Outcome SaveToFile(WorkflowContext& context, FileDialog& dialog) {
    const std::optional<std::string> path =
        dialog.chooseFileToSave(context.settings.offeredFileName());
    if (!path)
        return Outcome::DialogCancelled;
    return SaveToPath(context, *path);
}

Outcome LoadFromPath(WorkflowContext& context, const std::string& path) {
    const SettingsFileStatus status{context.status, context.texts};
    const OpenedSettingsFile file = OpenSettingsFile(path, context.image, context.settings.record(),
                                                     context.settings.smsCentreItems(), &status);
    const Outcome outcome = [&] {
        switch (file.outcome) {
        case SettingsFileOpen::Opened:
            applyToWindow(context, file.record);
            return tell(context, Outcome::Done, Icon::Information, "msg004", path, "msg005");
        case SettingsFileOpen::Unconvertible:
            applyToWindow(context, file.record);
            return tell(context, Outcome::ConversionFailed, Icon::Critical, file.messageKey);
        case SettingsFileOpen::CutShort:
            return tell(context, Outcome::InvalidImage, Icon::Information, "msg006", path, "msg007",
                        context.texts.get("msg065"));
        case SettingsFileOpen::Empty:
        case SettingsFileOpen::NoImage:
            context.settings.updateMemoryUsage();
            return tell(context, Outcome::InvalidImage, Icon::Information, "msg006", path,
                        "msg007");
        case SettingsFileOpen::Missing:
        case SettingsFileOpen::Unreadable:
        case SettingsFileOpen::TooLarge:
            break;
        }
        return tell(context, Outcome::ReadFailed, Icon::Critical, "msg001", path, "msg002",
                    file.detail);
    }();
    context.settings.updateMemoryUsage();
    return outcome;
}

Outcome SaveToPath(WorkflowContext& context, const std::string& path) {
    if (!convertFromWindow(context)) {
        context.status.hideStatus();
        return tell(context, Outcome::ConversionFailed, Icon::Critical, "msg010");
    }
    const long settingsSize = currentSettingsSize(context.settings);
    WrittenSettingsFile file;
    switch (SaveImageFile(path, context.image, settingsSize, context.prompter, context.status,
                          context.texts, &file)) {
    case FileWrite::Written:
        return Outcome::Done;
    case FileWrite::Declined:
        return Outcome::OverwriteDeclined;
    case FileWrite::Failed:
        break;
    }
    context.status.hideStatus();
    return tell(context, Outcome::WriteFailed, Icon::Critical, "msg008", path, "msg009",
                file.detail);
}

Outcome LoadFromDevice(WorkflowContext& context, EepromTransfer& device) {
    const long eepromSize = LabelNumber(context.settings.eepromSizeCaption());
    const ImageRead read = device.readImage(context.image, eepromSize, "msg048").outcome;
    // Every way out but a converted image ends the same: the window keeps its
    // settings and shows one message.
    const auto refuse = [&](Outcome outcome, Icon icon, const std::string& key) {
        context.status.hideStatus();
        context.settings.updateMemoryUsage();
        const Outcome told = tell(context, outcome, icon, key);
        context.settings.updateMemoryUsage();
        return told;
    };
    if (read == ImageRead::ConnectionLost)
        return refuse(Outcome::ConnectionLost, Icon::Critical, "msg070");
    if (read == ImageRead::BlockFailed)
        return refuse(Outcome::ReadFailed, Icon::Critical, "msg011");
    if (read == ImageRead::OutOfOrder)
        return refuse(Outcome::ReadFailed, Icon::Critical, "msg103");
    if (read == ImageRead::Cancelled || context.status.cancelRequested())
        return refuse(Outcome::Stopped, Icon::Information, "msg012");
    if (read == ImageRead::Unprogrammed)
        return refuse(Outcome::InvalidImage, Icon::Exclamation, "msg015");
    if (read == ImageRead::PastEeprom)
        return refuse(Outcome::InvalidImage, Icon::Exclamation, "msg100");
    const std::string failure = convertIntoWindow(context, "msg013");
    if (!failure.empty())
        return tell(context, Outcome::ConversionFailed, Icon::Critical, failure);
    const Outcome outcome = tell(context, Outcome::Done, Icon::Information, "msg014");
    context.settings.updateMemoryUsage();
    return outcome;
}

Outcome SaveToDevice(WorkflowContext& context, EepromTransfer& device, const BackupTarget* backup,
                     DeviceWriteFacts* facts) {
    DeviceWriteFacts ignored;
    DeviceWriteFacts& did = facts ? *facts : ignored;
    did = {};
    SettingsHolder& settings = context.settings;
    if (const auto clash =
            rules::OutputCrossRule(rules::OutputWords::from(settings.record()), context.texts)) {
        settings.showPage(clash->page);
        context.prompter.ask(clash->message);
        settings.focusField(clash->control + "_" + std::to_string(clash->row));
        return Outcome::OutputNamesClash;
    }

    // From here on the outcome depends on the device found.
    did.started = true;
    const long settingsSize = currentSettingsSize(settings);
    const std::string eepromCaption = settings.eepromSizeCaption();
    if (settingsSize > LabelNumber(eepromCaption)) {
        context.status.hideStatus();
        const Texts& texts = context.texts;
        return tellText(context, Outcome::TooLarge, Icon::Critical, "msg018",
                        texts.get("msg018") + settings.usageCaption() + texts.get("msg019") +
                            eepromCaption + ").");
    }

    if (!convertFromWindow(context)) {
        context.status.hideStatus();
        return tell(context, Outcome::ConversionFailed, Icon::Critical, "msg024");
    }

    std::string made;
    if (backup) {
        const BackupResult saved = BackUpDevice(context, device, *backup);
        context.status.hideStatus();
        did.backedUp = saved.outcome == BackupOutcome::Saved;
        did.unprogrammed = saved.outcome == BackupOutcome::Unprogrammed;
        did.backupPath = saved.path.string();
        switch (saved.outcome) {
        case BackupOutcome::Saved:
            made = saved.path.string();
            break;
        case BackupOutcome::Unprogrammed:
            break;
        case BackupOutcome::ReadFailed:
            if (device.connectionLost())
                return tell(context, Outcome::ConnectionLost, Icon::Critical, "msg070");
            return tell(context, Outcome::BackupFailed, Icon::Critical, "msg091");
        case BackupOutcome::Stopped:
            return tell(context, Outcome::BackupFailed, Icon::Information, "msg097");
        case BackupOutcome::SaveFailed:
            return tell(context, Outcome::BackupFailed, Icon::Critical, "msg092",
                        saved.path.string(), "msg093", saved.reason);
        }
    }

    for (long a = 0, length = SavedFileLength(settingsSize); a < length; ++a)
        did.imageBytes += static_cast<char>(context.image.GetImageByte(a).value_or(0));
    const bool written = device.writeEeprom(context.image, settingsSize, settings.checkWrite());
    did.verified = written && settings.checkWrite();
    context.status.hideStatus();
    const Texts& texts = context.texts;
    // Block 0 goes first (cleared) and last: a write that stopped between
    // leaves the device without valid settings.
    const std::string invalid =
        "\n" + (made.empty() ? texts.get("msg102") : filledIn(texts.get("msg101"), made));
    if (!written && device.connectionLost())
        return tellText(context, Outcome::ConnectionLost, Icon::Critical, "msg070",
                        texts.get("msg070") + invalid);
    if (!written) {
        const char* key = device.outOfOrder() ? "msg103" : "msg021";
        return tellText(context, Outcome::WriteFailed, Icon::Critical, key,
                        texts.get(key) + invalid);
    }
    if (context.status.cancelRequested())
        return tell(context, Outcome::Stopped, Icon::Information, "msg022");
    if (made.empty())
        return tell(context, Outcome::Done, Icon::Information, "msg023");
    return tellText(context, Outcome::Done, Icon::Information, "msg023",
                    texts.get("msg023") + "\n" + filledIn(texts.get("msg099"), made));
}

} // namespace rq7
