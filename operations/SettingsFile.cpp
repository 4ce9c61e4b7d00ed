#include "operations/SettingsFile.h"

#include "files/WholeFile.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"

#include <string>
#include <sys/stat.h>

namespace rq7 {

namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// The file's bytes, refused unless they fit the image and are not empty.
SettingsFileOpen readFileBytes(const std::string& path, std::string& bytes, std::string& detail) {
    const auto size = static_cast<std::size_t>(EepromImage::kSize);
    switch (files::readWholeFile(path, bytes, detail, size)) {
    case files::FileRead::Missing:
        detail = "no such file";
        return SettingsFileOpen::Missing;
    case files::FileRead::Failed:
        return SettingsFileOpen::Unreadable;
    case files::FileRead::Read:
        break;
    }
    if (bytes.size() > size) {
        detail = "larger than the " + std::to_string(EepromImage::kSize) + "-byte image";
        return SettingsFileOpen::TooLarge;
    }
    if (bytes.empty()) {
        detail = "the file is empty";
        return SettingsFileOpen::Empty;
    }
    return SettingsFileOpen::Opened;
}

} // namespace

OpenedSettingsFile OpenSettingsFile(const std::string& path, EepromImage& image,
                                    const SettingsRecord& start,
                                    const std::vector<std::string>& smsCentreItems,
                                    const SettingsFileStatus* status) {
    OpenedSettingsFile file;
    std::string bytes;
    if (status)
        status->sink.showStatusWithoutCancel(status->texts.get("msg049") + path + ".");
    file.outcome = readFileBytes(path, bytes, file.detail);
    if (status)
        status->sink.hideStatus();
    if (file.outcome != SettingsFileOpen::Opened)
        return file;

    for (std::size_t a = 0; a < bytes.size(); ++a)
        image.SetImageByte(static_cast<unsigned char>(bytes[a]), static_cast<long>(a));
    file.length = static_cast<long>(bytes.size());
    if (!image.IsImageValid()) {
        file.outcome = SettingsFileOpen::NoImage;
        file.detail = "format mark or header checksum wrong";
        return file;
    }
    // Past the file's end the reader would take what an earlier load left in
    // the buffer for data.
    if (const ImageExtent extent = FindImageExtent(image, file.length); !extent.complete) {
        file.outcome = SettingsFileOpen::CutShort;
        file.detail = "its settings need byte " + std::to_string(extent.end) + " of a " +
                      std::to_string(file.length) + "-byte file";
        return file;
    }

    if (status)
        status->sink.showStatusWithoutCancel(status->texts.get("msg003"));
    file.record = start;
    const ReadResult read = ReadImage(image, file.record, smsCentreItems);
    if (status)
        status->sink.hideStatus();
    if (!read.ok) {
        file.outcome = SettingsFileOpen::Unconvertible;
        file.messageKey = read.messageKey.empty() ? std::string("msg034") : read.messageKey;
        file.detail = read.detail;
    }
    return file;
}

WrittenSettingsFile WriteSettingsFile(const std::string& path, const EepromImage& image,
                                      long length) {
    WrittenSettingsFile file;
    if (path.empty() || length < 1 || length > EepromImage::kSize) {
        file.detail = "no file name, or " + std::to_string(length) + " bytes do not fit the " +
                      std::to_string(EepromImage::kSize) + "-byte image";
        return file;
    }
    const auto* bytes = reinterpret_cast<const char*>(image.data());
    file.written =
        files::replaceFile(path, std::string(bytes, static_cast<std::size_t>(length)), file.detail);
    if (file.written)
        file.length = length;
    return file;
}

long SavedFileLength(long settingsSize) {
    return settingsSize > 2 ? settingsSize - 1 : 1;
}

FileWrite SaveImageFile(const std::string& path, const EepromImage& image, long settingsSize,
                        Prompter& prompter, StatusSink& status, const Texts& texts,
                        WrittenSettingsFile* detail) {
    if (exists(path)) {
        Message question;
        question.key = "msg035";
        question.text = texts.get(question.key) + "\n" + path;
        question.icon = Icon::Question;
        question.buttons = Buttons::YesNo;
        if (prompter.ask(question) != Answer::Yes)
            return FileWrite::Declined;
    }
    const long length = SavedFileLength(settingsSize);
    if (length > EepromImage::kSize || path.empty())
        return FileWrite::Failed;
    status.showStatusWithoutCancel(texts.get("msg036") + path);
    const WrittenSettingsFile file = WriteSettingsFile(path, image, length);
    status.hideStatus();
    if (detail)
        *detail = file;
    return file.written ? FileWrite::Written : FileWrite::Failed;
}

} // namespace rq7
