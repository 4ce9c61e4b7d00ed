#include "SimProcess.h"

#include "simulator/FrameCodec.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace rq7::sim::testing {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string binPath(const std::string& name) {
    const char* dir = std::getenv("RQ7_BIN_DIR");
    return std::string(dir ? dir : ".") + "/" + name;
}

namespace {

std::string temporaryFile(const char* stem) {
    std::string pattern = std::string("/tmp/") + stem + "XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0)
        ::close(fd);
    return pattern;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts path with args; stdout to outFd (or a pipe end), stderr to errPath.
pid_t spawn(const std::string& path, const std::vector<std::string>& args, int outFd,
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

// Waits for the child up to the limit; its exit code, or -1.
int reap(pid_t pid, milliseconds limit, bool& ended) {
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

void killAndReap(pid_t pid) {
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace

ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         milliseconds limit) {
    ProgramResult result;
    const std::string outPath = temporaryFile("rq7-out");
    const std::string errPath = temporaryFile("rq7-err");
    const int outFd = ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
    const pid_t pid = spawn(path, args, outFd, errPath);
    ::close(outFd);
    if (pid > 0) {
        bool ended = false;
        result.exitCode = reap(pid, limit, ended);
        if (!ended)
            killAndReap(pid);
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    ::unlink(outPath.c_str());
    ::unlink(errPath.c_str());
    return result;
}

SimProcess::~SimProcess() {
    if (pid_ > 0)
        killAndReap(pid_);
    if (stdoutFd_ >= 0)
        ::close(stdoutFd_);
    if (!errPath_.empty())
        ::unlink(errPath_.c_str());
}

bool SimProcess::start(const std::vector<std::string>& args, std::string& error) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        error = "pipe failed";
        return false;
    }
    errPath_ = temporaryFile("rq7-sim-err");
    pid_ = spawn(binPath("rq7-sim"), args, pipeFds[1], errPath_);
    ::close(pipeFds[1]);
    stdoutFd_ = pipeFds[0];
    if (pid_ <= 0) {
        error = "cannot start " + binPath("rq7-sim");
        return false;
    }
    // The first line is the terminal's path.
    const auto end = Clock::now() + std::chrono::seconds(20);
    std::string line;
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now());
        pollfd p{stdoutFd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            error = "no terminal path from rq7-sim; it said: " + errorOutput();
            return false;
        }
        char c[256];
        const ssize_t n = ::read(stdoutFd_, c, sizeof c);
        if (n <= 0) {
            error = "rq7-sim ended early; it said: " + errorOutput();
            return false;
        }
        line.append(c, static_cast<std::size_t>(n));
    }
    ptyPath_ = line.substr(0, line.find('\n'));
    return true;
}

int SimProcess::stop() {
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    bool ended = false;
    const int code = reap(pid_, std::chrono::seconds(20), ended);
    if (!ended)
        killAndReap(pid_);
    pid_ = -1;
    return code;
}

std::string SimProcess::errorOutput() const {
    return readFile(errPath_);
}

PtyClient::PtyClient(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return;
    termios mode{};
    ::tcgetattr(fd_, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(fd_, TCSANOW, &mode);
    ::tcflush(fd_, TCIFLUSH);
}

PtyClient::~PtyClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool PtyClient::send(const std::vector<std::uint8_t>& bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> PtyClient::receiveFrame(milliseconds limit) {
    std::vector<std::uint8_t> got;
    const auto end = Clock::now() + limit;
    while (got.empty() || got.back() != kCarriageReturn) {
        const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            break;
        std::uint8_t byte = 0;
        // One byte at a time, so nothing after the CR is taken.
        if (::read(fd_, &byte, 1) == 1)
            got.push_back(byte);
    }
    return got;
}

std::vector<std::uint8_t> PtyClient::ask(const std::vector<std::uint8_t>& body) {
    if (!send(encodeFrame(body)))
        return {};
    return receiveFrame();
}

} // namespace rq7::sim::testing
