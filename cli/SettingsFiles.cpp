#include "cli/SettingsFiles.h"

#include "cli/TerminalSafe.h"
#include "files/WholeFile.h"
#include "settings/ImageReader.h"
#include "settings/SettingsText.h"
#include "ui/language/catalogue/Texts.h"

#include <limits>
#include <memory>

namespace rq7::cli {

namespace {

// The whole file, at most `limit` bytes and one more; `error` names the file.
bool readBytes(const std::string& path, std::string& bytes, std::string& error,
               std::size_t limit = std::numeric_limits<std::size_t>::max() - 1) {
    std::string reason;
    switch (files::readWholeFile(path, bytes, reason, limit)) {
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

bool loadImageFile(const std::string& path, EepromImage& image, std::string& error, long* length) {
    std::string bytes;
    const auto size = static_cast<std::size_t>(EepromImage::kSize);
    if (!readBytes(path, bytes, error, size))
        return false;
    if (bytes.size() > size) {
        error = path + " is larger than the 65,536-byte image";
        return false;
    }
    for (std::size_t a = 0; a < bytes.size(); ++a)
        image.SetImageByte(static_cast<unsigned char>(bytes[a]), static_cast<long>(a));
    if (length)
        *length = static_cast<long>(bytes.size());
    return true;
}

bool readSettingsFile(const std::string& path, const std::vector<std::string>& smsCentreItems,
                      SettingsRecord& record, std::string& error) {
    auto image = std::make_unique<EepromImage>();
    long length = 0;
    if (!loadImageFile(path, *image, error, &length))
        return false;
    if (!image->IsImageValid()) {
        error = path + " holds no settings image (format mark or header checksum wrong)";
        return false;
    }
    // Past the file's end the reader would take the buffer's zeros for data.
    if (const ImageExtent extent = FindImageExtent(*image, length); !extent.complete) {
        error = path + " is cut short: its settings need byte " + std::to_string(extent.end) +
                " of a " + std::to_string(length) + "-byte file";
        return false;
    }
    const ReadResult read = ReadImage(*image, record, smsCentreItems);
    if (!read.ok) {
        error = path + ": " + Texts{}.get(read.messageKey) + " (" + read.detail + ")";
        return false;
    }
    return true;
}

} // namespace rq7::cli
