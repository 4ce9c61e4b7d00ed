#include "device/PortDiagnosis.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rq7::device {

namespace fs = std::filesystem;

std::string FillIn(std::string text, const std::vector<std::string>& arguments) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < arguments.size()) {
            out += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string JoinGroupCommand(const std::string& group) {
    return "sudo usermod -aG " + group + " \"$USER\"";
}

#ifndef _WIN32

namespace {

// At most `limit` bytes of a regular file, opened without blocking; "" for
// anything else (a FIFO, a folder, a device) and on any error.
std::string smallFile(const fs::path& file, std::size_t limit) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string content;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        content.resize(limit);
        const ssize_t got = ::read(fd, content.data(), limit);
        content.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    ::close(fd);
    return content;
}

std::string firstLine(const fs::path& file) {
    const std::string content = smallFile(file, 256);
    return content.substr(0, content.find('\n'));
}

bool processRuns(const SystemPaths& paths, long pid) {
    if (pid <= 0)
        return false;
    std::error_code error;
    if (fs::exists(fs::path(paths.procDir) / std::to_string(pid), error))
        return true;
    // The system's own process list may hide other users' processes.
    return paths.procDir == "/proc" && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Init and the kernel's own threads never hold a serial port.
bool mayHoldPort(const SystemPaths& paths, long pid) {
    if (pid <= 1)
        return false;
    const std::string stat = firstLine(fs::path(paths.procDir) / std::to_string(pid) / "stat");
    const std::size_t name = stat.rfind(')');
    if (name == std::string::npos)
        return true;
    // After the name: state, ppid, pgrp, session, tty, tpgid, flags.
    std::istringstream fields(stat.substr(name + 1));
    std::string field;
    for (int i = 0; i < 7 && fields >> field; ++i) {
    }
    constexpr unsigned long kKernelThread = 0x00200000; // PF_KTHREAD
    char* end = nullptr;
    const unsigned long flags = std::strtoul(field.c_str(), &end, 10);
    return end == field.c_str() || (flags & kKernelThread) == 0;
}

std::string programName(const SystemPaths& paths, long pid) {
    return firstLine(fs::path(paths.procDir) / std::to_string(pid) / "comm");
}

// The process id in a lock file: ASCII digits, or the 4-byte binary form
// of older programs; 0 when it holds neither.
long lockOwner(const fs::path& file) {
    const std::string content = smallFile(file, 64);
    long pid = 0;
    bool digits = false;
    for (char c : content) {
        if (c >= '0' && c <= '9') {
            pid = pid * 10 + (c - '0');
            digits = true;
            if (pid > 1'000'000'000)
                return 0;
        } else if (digits || (c != ' ' && c != '\t')) {
            break;
        }
    }
    if (!digits && content.size() == 4) {
        std::int32_t binary = 0;
        std::copy(content.begin(), content.end(), reinterpret_cast<char*>(&binary));
        pid = binary;
    }
    return std::max(pid, 0L);
}

enum class LockKind { File, NotAFile, Dangling };

struct LockEntry {
    fs::path file;
    LockKind kind = LockKind::File;
};

// The lock directories the port's lock may be in: up to the first one this
// user may write.
std::vector<std::string> usedLockDirs(const SystemPaths& paths) {
    std::vector<std::string> dirs;
    for (const std::string& dir : paths.lockDirs) {
        dirs.push_back(dir);
        if (::access(dir.c_str(), R_OK | W_OK | X_OK) == 0)
            break;
    }
    return dirs;
}

// The lock entries a program may have made for the port: named after the
// path as given and after the device it leads to. Never followed or read.
std::vector<LockEntry> lockEntries(const std::string& path, const SystemPaths& paths) {
    std::vector<std::string> names = {fs::path(path).filename().string()};
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    if (!error && target.filename().string() != names.front())
        names.push_back(target.filename().string());
    std::vector<LockEntry> entries;
    for (const std::string& dir : usedLockDirs(paths))
        for (const std::string& name : names) {
            const fs::path file = fs::path(dir) / ("LCK.." + name);
            struct stat info {};
            if (::lstat(file.c_str(), &info) != 0 ||
                std::any_of(entries.begin(), entries.end(),
                            [&](const LockEntry& e) { return e.file == file; }))
                continue;
            LockKind kind = LockKind::File;
            if (S_ISLNK(info.st_mode)) {
                struct stat linked {};
                if (::stat(file.c_str(), &linked) != 0)
                    kind = LockKind::Dangling;
                else if (!S_ISREG(linked.st_mode))
                    kind = LockKind::NotAFile;
            } else if (!S_ISREG(info.st_mode)) {
                kind = LockKind::NotAFile;
            }
            entries.push_back({file, kind});
        }
    return entries;
}

// The other processes with the device open, found through their descriptors.
std::vector<long> descriptorHolders(const std::string& path, const SystemPaths& paths) {
    std::vector<long> holders;
    std::error_code error;
    const fs::path device = fs::canonical(path, error);
    if (error)
        return holders;
    // A pseudo-terminal's other end is held through the multiplexer, whose
    // descriptor tells the terminal's number.
    std::string ptyIndex;
    if (device.parent_path() == "/dev/pts")
        ptyIndex = device.filename().string();
    const auto isOtherEnd = [&](const fs::path& fd, const fs::path& linked) {
        if (ptyIndex.empty() || (linked != "/dev/ptmx" && linked != "/dev/pts/ptmx"))
            return false;
        const std::string info =
            smallFile(fd.parent_path().parent_path() / "fdinfo" / fd.filename(), 1024);
        const std::string tag = "tty-index:\t" + ptyIndex + "\n";
        return info.find(tag) != std::string::npos;
    };
    const std::string self = std::to_string(::getpid());
    for (fs::directory_iterator process(paths.procDir, error), end; !error && process != end;
         process.increment(error)) {
        const std::string name = process->path().filename().string();
        if (name == self || name.empty() || name.size() > 9 ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::error_code fdError;
        for (fs::directory_iterator fd(process->path() / "fd", fdError), fdEnd;
             !fdError && fd != fdEnd; fd.increment(fdError)) {
            std::error_code linkError;
            const fs::path linked = fs::read_symlink(fd->path(), linkError);
            if (!linkError && (linked == device || isOtherEnd(fd->path(), linked))) {
                holders.push_back(std::stol(name));
                break;
            }
        }
    }
    std::sort(holders.begin(), holders.end());
    return holders;
}

std::vector<std::string> usbPorts(const SystemPaths& paths) {
    std::vector<std::string> ports;
    std::error_code error;
    for (fs::directory_iterator entry(paths.devDir, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0)
            ports.push_back(entry->path().string());
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

bool inGroupList(gid_t group, const std::vector<gid_t>& groups) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// The groups of this login, and those the account has in the group database.
std::vector<gid_t> loginGroups() {
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    groups.push_back(::getegid());
    return groups;
}

std::vector<gid_t> accountGroups() {
    const passwd* user = ::getpwuid(::geteuid());
    if (!user)
        return {};
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0)
            return {};
    }
    groups.resize(static_cast<std::size_t>(count));
    return groups;
}

void describePermission(OpenFailure& failure, const struct stat& info) {
    failure.problem = OpenProblem::NoPermission;
    failure.mode = info.st_mode & 07777u;
    if ((info.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return;
    if (const group* entry = ::getgrgid(info.st_gid))
        failure.group = entry->gr_name;
    else
        failure.group = std::to_string(info.st_gid);
    failure.joinedSinceLogin =
        inGroupList(info.st_gid, accountGroups()) && !inGroupList(info.st_gid, loginGroups());
}

} // namespace

OpenFailure DiagnoseOpenFailure(const std::string& path, const std::string& systemText,
                                const SystemPaths& paths) {
    OpenFailure failure;
    failure.path = path;
    failure.systemText = systemText;

    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            failure.problem = OpenProblem::Missing;
            failure.usbPorts = usbPorts(paths);
        }
        return failure;
    }

    if (::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        describePermission(failure, info);
        return failure;
    }
    std::optional<fs::path> staleLock;
    long stalePid = 0;
    std::vector<long> pids;
    for (const LockEntry& entry : lockEntries(path, paths)) {
        if (entry.kind == LockKind::NotAFile) {
            failure.problem = OpenProblem::BadLock;
            failure.lockFile = entry.file.string();
            return failure;
        }
        const long pid = entry.kind == LockKind::File ? lockOwner(entry.file) : 0;
        if (pid == ::getpid())
            continue;
        const bool holder = mayHoldPort(paths, pid);
        if (holder && processRuns(paths, pid)) {
            if (std::find(pids.begin(), pids.end(), pid) == pids.end())
                pids.push_back(pid);
        } else if (!staleLock) {
            staleLock = entry.file;
            stalePid = holder ? pid : 0;
        }
    }
    for (const long pid : descriptorHolders(path, paths))
        if (std::find(pids.begin(), pids.end(), pid) == pids.end())
            pids.push_back(pid);
    if (!pids.empty()) {
        failure.problem = OpenProblem::InUse;
        for (const long pid : pids)
            failure.holders.push_back({programName(paths, pid), pid});
        failure.pid = pids.front();
        failure.program = failure.holders.front().program;
        return failure;
    }
    if (staleLock) {
        failure.problem = OpenProblem::StaleLock;
        failure.lockFile = staleLock->string();
        failure.pid = stalePid;
        return failure;
    }
    // A port opened for exclusive use refuses every other opener; its holder
    // is not among the processes this user may look at.
    const int probe = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (probe >= 0)
        ::close(probe);
    else if (errno == EBUSY)
        failure.problem = OpenProblem::InUse;
    return failure;
}

std::optional<OpenFailure> LockEntryProblem(const std::string& path, const SystemPaths& paths) {
    for (const LockEntry& entry : lockEntries(path, paths)) {
        if (entry.kind == LockKind::File)
            continue;
        OpenFailure failure;
        failure.path = path;
        failure.problem =
            entry.kind == LockKind::NotAFile ? OpenProblem::BadLock : OpenProblem::StaleLock;
        failure.lockFile = entry.file.string();
        return failure;
    }
    return std::nullopt;
}

#else

std::optional<OpenFailure> LockEntryProblem(const std::string&, const SystemPaths&) {
    return std::nullopt;
}

OpenFailure DiagnoseOpenFailure(const std::string& path, const std::string& systemText,
                                const SystemPaths&) {
    OpenFailure failure;
    failure.path = path;
    failure.systemText = systemText;
    return failure;
}

#endif

std::string DiagnosisKey(const OpenFailure& failure) {
    switch (failure.problem) {
    case OpenProblem::Missing:
        return "msg071";
    case OpenProblem::InUse:
        return failure.holders.size() > 1 ? "msg087" : failure.pid > 0 ? "msg074" : "msg075";
    case OpenProblem::NoPermission:
        return failure.group.empty() ? "msg078" : failure.joinedSinceLogin ? "msg077" : "msg076";
    case OpenProblem::StaleLock:
        return failure.pid > 0 ? "msg079" : "msg085";
    case OpenProblem::BadLock:
        return "msg086";
    case OpenProblem::Other:
        break;
    }
    return "msg080";
}

std::string DescribeOpenFailure(const OpenFailure& failure, const Texts& texts) {
    const std::string key = DiagnosisKey(failure);
    const std::string& path = failure.path;
    switch (failure.problem) {
    case OpenProblem::Missing: {
        std::string adapters;
        for (const std::string& port : failure.usbPorts)
            adapters += (adapters.empty() ? "" : ", ") + port;
        return FillIn(texts.get(key), {path}) + "\n" +
               (adapters.empty() ? texts.get("msg073") : FillIn(texts.get("msg072"), {adapters}));
    }
    case OpenProblem::InUse: {
        const auto named = [](const PortHolder& holder) {
            return holder.program.empty() ? std::string("?") : holder.program;
        };
        std::string all;
        for (const PortHolder& holder : failure.holders)
            all += (all.empty() ? "" : ", ") + named(holder) + " (PID " +
                   std::to_string(holder.pid) + ")";
        return FillIn(texts.get(key), {path,
                                       failure.holders.size() > 1 ? all
                                       : failure.program.empty()  ? "?"
                                                                  : failure.program,
                                       std::to_string(failure.pid)});
    }
    case OpenProblem::NoPermission: {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", failure.mode);
        return FillIn(texts.get(key), {path, failure.group.empty() ? mode : failure.group,
                                       JoinGroupCommand(failure.group)});
    }
    case OpenProblem::StaleLock:
        if (failure.pid <= 0)
            return FillIn(texts.get(key), {path, failure.lockFile, "sudo rm " + failure.lockFile});
        return FillIn(texts.get(key), {path, failure.lockFile, std::to_string(failure.pid),
                                       "sudo rm " + failure.lockFile});
    case OpenProblem::BadLock:
        return FillIn(texts.get(key), {path, failure.lockFile, "sudo rm -r " + failure.lockFile});
    case OpenProblem::Other:
        break;
    }
    return FillIn(texts.get(key), {failure.systemText.empty() ? "?" : failure.systemText});
}

} // namespace rq7::device
