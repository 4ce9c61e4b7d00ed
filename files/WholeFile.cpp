#include "files/WholeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rq7::files {

namespace {

std::string systemError() {
    return std::strerror(errno);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

FileRead readWholeFile(const std::string& path, std::string& bytes, std::string& reason,
                       std::size_t limit) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        if (errno == ENOENT)
            return FileRead::Missing;
        reason = systemError();
        return FileRead::Failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        ::close(fd);
        return FileRead::Failed;
    }
    char buffer[4096];
    while (bytes.size() <= limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit + 1 - bytes.size());
        const ssize_t n = ::read(fd, buffer, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = systemError();
            ::close(fd);
            bytes.clear();
            return FileRead::Failed;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return FileRead::Read;
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a temporary file beside " + path + ": " + systemError();
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const std::string writeError = written ? "" : systemError();
    const bool closed = ::close(fd) == 0;
    // mkstemp creates the file for its owner only; the new file is an
    // ordinary one, readable as the umask allows.
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

} // namespace rq7::files
