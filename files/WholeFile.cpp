#include "files/WholeFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rq7::files {

namespace {

// Links followed before a chain counts as a loop, as the kernel counts them.
constexpr int kMaxLinks = 40;

std::string systemError(int code = errno) {
    return std::strerror(code);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
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

// A link may be followed when it cannot have been planted by someone else:
// it belongs to us or to the owner of its folder, or the folder is not one
// where anybody may create entries (world-writable and sticky).
bool mayFollow(const std::string& link, const struct stat& linkInfo) {
    if (linkInfo.st_uid == ::geteuid())
        return true;
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || folder.st_uid == linkInfo.st_uid;
}

// Where a write to `path` lands: `path` itself or, through links that may be
// followed, the regular file they end at. `existing` tells whether that file
// exists (then `info` describes it). False with `error` set for a target
// that must not be replaced.
bool resolveTarget(const std::string& path, std::string& target, bool& existing, struct stat& info,
                   std::string& error) {
    target = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                error = "cannot replace " + path + ": " + systemError();
                return false;
            }
            if (hop > 0) {
                error = "refusing to write through " + path + ": the link points to no file";
                return false;
            }
            existing = false;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            if (!S_ISREG(info.st_mode)) {
                error = "refusing to replace " + path + ": not a regular file";
                return false;
            }
            existing = true;
            return true;
        }
        if (!mayFollow(target, info)) {
            error = "refusing to write through " + path + ": the link " + target +
                    " belongs to another user and lies in a shared folder";
            return false;
        }
        std::string next(static_cast<std::size_t>(info.st_size) + 256, '\0');
        const ssize_t n = ::readlink(target.c_str(), next.data(), next.size());
        if (n < 0) {
            error = "cannot replace " + path + ": " + systemError();
            return false;
        }
        next.resize(static_cast<std::size_t>(n));
        target = next.front() == '/' ? next : folderOf(target) + "/" + next;
    }
    error = "cannot replace " + path + ": " + systemError(ELOOP);
    return false;
}

// While it lives, exceeding the file-size limit fails the write with EFBIG
// instead of ending the program with the temporary file left behind.
class IgnoreFileSizeSignal {
public:
    IgnoreFileSizeSignal() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        saved_ = ::sigaction(SIGXFSZ, &ignore, &previous_) == 0;
    }
    ~IgnoreFileSizeSignal() {
        if (saved_)
            ::sigaction(SIGXFSZ, &previous_, nullptr);
    }
    IgnoreFileSizeSignal(const IgnoreFileSizeSignal&) = delete;
    IgnoreFileSizeSignal& operator=(const IgnoreFileSizeSignal&) = delete;

private:
    struct sigaction previous_ {};
    bool saved_ = false;
};

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The new file takes over the old one's owner, group and mode as far as we
// may set them (owner and group, else the group alone, else it stays ours);
// a new file is created as the umask allows.
void setOwnerAndMode(int fd, bool existing, const struct stat& old) {
    if (existing) {
        [[maybe_unused]] const bool owned = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, newFileMode());
    }
}

// Makes the rename itself durable.
bool syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot sync a folder; that is no failure of ours.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

} // namespace

FileRead readWholeFile(const std::string& path, std::string& bytes, std::string& reason,
                       std::size_t limit) {
    bytes.clear();
    // Opening a named pipe would wait for a writer: refuse it by type first,
    // and open without blocking in case the path changes in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        return FileRead::Failed;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return FileRead::Missing;
        reason = systemError();
        return FileRead::Failed;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        ::close(fd);
        return FileRead::Failed;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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
    std::string target;
    bool existing = false;
    struct stat old {};
    if (!resolveTarget(path, target, existing, old, error))
        return false;
    const std::string folder = folderOf(target);
    std::string temp = folder + "/." + nameOf(target) + ".XXXXXX";
    const IgnoreFileSizeSignal ignoreSizeSignal;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = "cannot create a temporary file beside " + path + ": " + systemError();
        return false;
    }
    setOwnerAndMode(fd, existing, old);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + ": " + systemError(written ? errno : writeErrno);
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        error = "cannot replace " + path + ": " + systemError();
        std::remove(temp.c_str());
        return false;
    }
    if (!syncFolder(folder)) {
        error = "cannot sync the folder of " + path + ": " + systemError();
        return false;
    }
    return true;
}

} // namespace rq7::files
