#include "operations/SettingsFile.h"

#include "files/WholeFile.h"
#include "settings/EepromImage.h"

#include <algorithm>
#include <string>
#include <sys/stat.h>

namespace rq7 {

namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

long SavedFileLength(long settingsSize) {
    return settingsSize > 2 ? settingsSize - 1 : 1;
}

FileWrite SaveImageFile(const std::string& path, const EepromImage& image, long settingsSize,
                        Prompter& prompter, StatusSink& status, const Texts& texts,
                        FileDetail* detail) {
    if (exists(path)) {
        Message question;
        question.key = "msg035";
        question.text = texts.get(question.key);
        question.icon = Icon::Question;
        question.buttons = Buttons::YesNo;
        if (prompter.ask(question) != Answer::Yes)
            return FileWrite::Declined;
    }
    const long length = SavedFileLength(settingsSize);
    if (length > EepromImage::kSize || path.empty())
        return FileWrite::Failed;
    status.showStatusWithoutCancel(texts.get("msg036") + path);
    const auto* bytes = reinterpret_cast<const char*>(image.data());
    std::string error;
    const bool ok =
        files::replaceFile(path, std::string(bytes, static_cast<std::size_t>(length)), error);
    status.hideStatus();
    if (detail) {
        detail->length = ok ? length : 0;
        detail->reason = error;
    }
    return ok ? FileWrite::Written : FileWrite::Failed;
}

bool LoadImageFile(const std::string& path, EepromImage& image, StatusSink& status,
                   const Texts& texts, FileDetail* detail) {
    status.showStatusWithoutCancel(texts.get("msg049") + path + ".");
    std::string bytes;
    std::string reason;
    const auto size = static_cast<std::size_t>(EepromImage::kSize);
    const files::FileRead read = files::readWholeFile(path, bytes, reason, size);
    status.hideStatus();
    if (read != files::FileRead::Read) {
        if (detail)
            detail->reason = read == files::FileRead::Missing ? "no such file" : reason;
        return false;
    }
    const std::size_t stored = std::min(bytes.size(), size);
    for (std::size_t a = 0; a < stored; ++a)
        image.SetImageByte(static_cast<unsigned char>(bytes[a]), static_cast<long>(a));
    // Reading at the end gives 0: an empty file still sets byte 0.
    if (bytes.empty())
        image.SetImageByte(0, 0);
    if (detail)
        detail->length = static_cast<long>(stored);
    // A longer file than the image keeps what was stored but fails.
    if (bytes.size() > size) {
        if (detail)
            detail->reason = "larger than the 65,536-byte image";
        return false;
    }
    return true;
}

} // namespace rq7
