#include "cli/SettingsFiles.h"

#include "settings/SettingsText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace rq7::cli {

namespace {

bool readAtMost(const std::string& path, std::size_t limit, std::string& bytes,
                std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    bytes.assign(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit + 1));
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

std::string systemError() {
    return std::strerror(errno);
}

} // namespace

bool readSettingsText(const std::string& path, SettingsRecord& record, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    const SettingsTextResult parsed = ParseSettingsText(text.str(), record);
    if (!parsed.ok) {
        error = path + ": " + parsed.error;
        return false;
    }
    return true;
}

bool loadImageFile(const std::string& path, EepromImage& image, std::string& error) {
    std::string bytes;
    const auto size = static_cast<std::size_t>(EepromImage::kSize);
    if (!readAtMost(path, size, bytes, error))
        return false;
    if (bytes.size() > size) {
        error = path + " is larger than the 65,536-byte image";
        return false;
    }
    for (std::size_t a = 0; a < bytes.size(); ++a)
        image.SetImageByte(static_cast<unsigned char>(bytes[a]), static_cast<long>(a));
    return true;
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a temporary file beside " + path + ": " + systemError();
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == bytes.size() && ::fsync(fd) == 0;
    const std::string writeError = written ? "" : systemError();
    const bool closed = ::close(fd) == 0;
    // mkstemp creates the file for its owner only; a settings file is an
    // ordinary file, readable as the umask allows.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(temp.c_str(), 0666 & ~mask);
    if (!written || !closed) {
        error = "cannot write " + path + ": " + (written ? systemError() : writeError);
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + systemError();
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace rq7::cli
