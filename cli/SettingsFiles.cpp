#include "cli/SettingsFiles.h"

#include "cli/TerminalSafe.h"
#include "files/WholeFile.h"
#include "settings/EepromImage.h"
#include "settings/SettingsText.h"
#include "ui/language/catalogue/Texts.h"

#include <memory>

namespace rq7::cli {

namespace {

// The whole file; `error` names the file.
bool readBytes(const std::string& path, std::string& bytes, std::string& error) {
    std::string reason;
    switch (files::readWholeFile(path, bytes, reason)) {
    case files::FileRead::Read:
        return true;
    case files::FileRead::Missing:
        error = "cannot open " + path;
        return false;
    case files::FileRead::Failed:
        break;
    }
    error = "cannot read " + path + ": " + reason;
    return false;
}

} // namespace

bool readSettingsText(const std::string& path, SettingsRecord& record, std::string& error) {
    std::string text;
    if (!readBytes(path, text, error))
        return false;
    const SettingsTextResult parsed = ParseSettingsText(text, record);
    if (!parsed.ok) {
        error = path + ": " + terminalSafe(parsed.error);
        return false;
    }
    return true;
}

std::string openFailure(const std::string& path, const OpenedSettingsFile& file,
                        const Texts& texts) {
    switch (file.outcome) {
    case SettingsFileOpen::Opened:
        return {};
    case SettingsFileOpen::Missing:
        return "cannot open " + path;
    case SettingsFileOpen::Unreadable:
        return "cannot read " + path + ": " + file.detail;
    case SettingsFileOpen::TooLarge:
        return path + " is " + file.detail;
    case SettingsFileOpen::Empty:
    case SettingsFileOpen::NoImage:
        return path + " holds no settings image (" + file.detail + ")";
    case SettingsFileOpen::CutShort:
        return path + " is cut short: " + file.detail;
    case SettingsFileOpen::Unconvertible:
        break;
    }
    return path + ": " + texts.get(file.messageKey) + " (" + terminalSafe(file.detail) + ")";
}

bool readSettingsFile(const std::string& path, const std::vector<std::string>& smsCentreItems,
                      SettingsRecord& record, std::string& error) {
    auto image = std::make_unique<EepromImage>();
    const OpenedSettingsFile file = OpenSettingsFile(path, *image, {}, smsCentreItems);
    error = openFailure(path, file, Texts{});
    if (!error.empty())
        return false;
    record = file.record;
    return true;
}

} // namespace rq7::cli
