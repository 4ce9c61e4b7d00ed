#include "operations/SettingsFile.h"

#include "settings/EepromImage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace rq7 {

namespace {

// Writes the bytes to a new file beside `target` under a name no one else
// uses; returns its path, or an empty path when that failed (nothing left
// behind then).
fs::path writeBeside(const fs::path& target, const std::uint8_t* bytes, std::size_t count) {
    const fs::path dir = target.parent_path();
    const std::string stem = "." + target.filename().string() + ".part";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = dir / (stem + std::to_string(attempt));
        // "x": fails when the name exists, so an unrelated file is never reused.
        std::FILE* out = std::fopen(candidate.c_str(), "wbx");
        if (!out) {
            std::error_code error;
            if (fs::exists(candidate, error))
                continue;
            return {}; // not a name clash: the directory refuses
        }
        const bool written = std::fwrite(bytes, 1, count, out) == count;
        const bool flushed = std::fflush(out) == 0;
        const bool closed = std::fclose(out) == 0;
        if (written && flushed && closed)
            return candidate;
        std::error_code error;
        fs::remove(candidate, error);
        return {};
    }
    return {};
}

// Writes `count` image bytes to a temporary file and moves it over `target`.
bool replaceFile(const fs::path& target, const EepromImage& image, std::size_t count) {
    std::error_code error;
    // Writing through a link replaces the file it points to, not the link.
    fs::path destination = target;
    if (fs::is_symlink(target, error)) {
        destination = fs::weakly_canonical(target, error);
        if (error)
            return false;
    }
    const fs::path temporary = writeBeside(destination, image.data(), count);
    if (temporary.empty())
        return false;
    if (fs::exists(destination, error)) {
        // The new file takes over the old one's permissions.
        const fs::perms old = fs::status(destination, error).permissions();
        if (!error)
            fs::permissions(temporary, old, error);
    }
    fs::rename(temporary, destination, error);
    if (!error)
        return true;
    fs::remove(temporary, error);
    return false;
}

} // namespace

long SavedFileLength(long settingsSize) {
    return settingsSize > 2 ? settingsSize - 1 : 1;
}

FileWrite SaveImageFile(const std::string& path, const EepromImage& image, long settingsSize,
                        Prompter& prompter, StatusSink& status, const Texts& texts) {
    std::error_code error;
    if (fs::exists(path, error)) {
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
    const bool ok = replaceFile(path, image, static_cast<std::size_t>(length));
    status.hideStatus();
    return ok ? FileWrite::Written : FileWrite::Failed;
}

bool LoadImageFile(const std::string& path, EepromImage& image, StatusSink& status,
                   const Texts& texts) {
    status.showStatusWithoutCancel(texts.get("msg049") + path + ".");
    std::error_code error;
    std::ifstream in;
    if (!fs::is_directory(path, error))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        status.hideStatus();
        return false;
    }
    std::vector<char> bytes(static_cast<std::size_t>(EepromImage::kSize));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::streamsize count = in.gcount();
    if (in.bad()) {
        status.hideStatus();
        return false;
    }
    for (std::streamsize i = 0; i < count; ++i)
        image.SetImageByte(static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]), i);
    // Reading at the end gives 0: an empty file still sets byte 0.
    if (count == 0)
        image.SetImageByte(0, 0);
    // A longer file than the image keeps what was stored but fails.
    const bool whole = count < EepromImage::kSize || in.peek() == std::ifstream::traits_type::eof();
    status.hideStatus();
    return whole;
}

} // namespace rq7
