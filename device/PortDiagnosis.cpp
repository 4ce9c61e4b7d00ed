#include "device/PortDiagnosis.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

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

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

bool processRuns(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string programName(const SystemPaths& paths, long pid) {
    return firstLine(fs::path(paths.procDir) / std::to_string(pid) / "comm");
}

// The process id in a lock file: ASCII digits, or the 4-byte binary form
// of older programs.
long lockOwner(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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
    return pid;
}

// The lock files a program may have made for the port: named after the
// path as given and after the device it leads to.
std::vector<fs::path> lockFiles(const std::string& path, const SystemPaths& paths) {
    std::vector<std::string> names = {fs::path(path).filename().string()};
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    if (!error && target.filename().string() != names.front())
        names.push_back(target.filename().string());
    std::vector<fs::path> files;
    for (const std::string& dir : paths.lockDirs)
        for (const std::string& name : names) {
            const fs::path file = fs::path(dir) / ("LCK.." + name);
            if (fs::exists(file, error) &&
                std::find(files.begin(), files.end(), file) == files.end())
                files.push_back(file);
        }
    return files;
}

// Another process with the device open, found through its descriptors.
std::optional<long> descriptorHolder(const std::string& path, const SystemPaths& paths) {
    std::error_code error;
    const fs::path device = fs::canonical(path, error);
    if (error)
        return std::nullopt;
    const std::string self = std::to_string(::getpid());
    for (fs::directory_iterator process(paths.procDir, error), end; !error && process != end;
         process.increment(error)) {
        const std::string name = process->path().filename().string();
        if (name == self || name.empty() ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::error_code fdError;
        for (fs::directory_iterator fd(process->path() / "fd", fdError), fdEnd;
             !fdError && fd != fdEnd; fd.increment(fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd->path(), linkError) == device && !linkError)
                return std::stol(name);
        }
    }
    return std::nullopt;
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
    for (const fs::path& file : lockFiles(path, paths)) {
        const long pid = lockOwner(file);
        if (pid == ::getpid())
            continue;
        if (processRuns(pid)) {
            failure.problem = OpenProblem::InUse;
            failure.pid = pid;
            failure.program = programName(paths, pid);
            return failure;
        }
        if (!staleLock) {
            staleLock = file;
            stalePid = pid;
        }
    }
    if (const auto holder = descriptorHolder(path, paths)) {
        failure.problem = OpenProblem::InUse;
        failure.pid = *holder;
        failure.program = programName(paths, *holder);
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

#else

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
        return failure.pid > 0 ? "msg074" : "msg075";
    case OpenProblem::NoPermission:
        return failure.group.empty() ? "msg078" : failure.joinedSinceLogin ? "msg077" : "msg076";
    case OpenProblem::StaleLock:
        return "msg079";
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
    case OpenProblem::InUse:
        return FillIn(texts.get(key), {path, failure.program.empty() ? "?" : failure.program,
                                       std::to_string(failure.pid)});
    case OpenProblem::NoPermission: {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", failure.mode);
        return FillIn(texts.get(key), {path, failure.group.empty() ? mode : failure.group,
                                       JoinGroupCommand(failure.group)});
    }
    case OpenProblem::StaleLock:
        return FillIn(texts.get(key), {path, failure.lockFile, std::to_string(failure.pid),
                                       "sudo rm " + failure.lockFile});
    case OpenProblem::Other:
        break;
    }
    return FillIn(texts.get(key), {failure.systemText.empty() ? "?" : failure.systemText});
}

} // namespace rq7::device
