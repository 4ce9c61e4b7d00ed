#include "tests/support/Programs.h"

#include "tests/support/Files.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace rq7::test {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string binPath(const std::string& name) {
    const char* dir = std::getenv("RQ7_BIN_DIR");
    return std::string(dir ? dir : ".") + "/" + name;
}

std::string temporaryFile(const char* stem) {
    std::string pattern = std::string("/tmp/") + stem + "XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0)
        ::close(fd);
    return pattern;
}

pid_t startProgram(const std::string& path, const std::vector<std::string>& args, int outFd,
                   const std::string& errPath) {
    std::vector<std::string> all{path};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitForExit(pid_t pid, milliseconds limit, bool& ended) {
    const auto end = Clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            ended = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (r < 0 || Clock::now() >= end) {
            ended = r < 0;
            return -1;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
}

void killProgram(pid_t pid) {
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         milliseconds limit) {
    ProgramResult result;
    const std::string outPath = temporaryFile("rq7-out");
    const std::string errPath = temporaryFile("rq7-err");
    const int outFd = ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
    const pid_t pid = startProgram(path, args, outFd, errPath);
    ::close(outFd);
    if (pid > 0) {
        bool ended = false;
        result.exitCode = waitForExit(pid, limit, ended);
        if (!ended)
            killProgram(pid);
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    ::unlink(outPath.c_str());
    ::unlink(errPath.c_str());
    return result;
}

ProgramResult runRq7ctl(const std::vector<std::string>& args) {
    return runProgram(binPath("rq7ctl"), args);
}

} // namespace rq7::test
