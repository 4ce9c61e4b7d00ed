#include "SimProcess.h"

#include "simulator/FrameCodec.h"
#include "tests/support/Files.h"
#include "tests/support/Programs.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace rq7::sim::testing {

using test::binPath;
using test::killProgram;
using test::readFile;
using test::startProgram;
using test::temporaryFile;
using test::waitForExit;

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

SimProcess::~SimProcess() {
    if (pid_ > 0)
        killProgram(pid_);
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
    pid_ = startProgram(binPath("rq7-sim"), args, pipeFds[1], errPath_);
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
    const int code = waitForExit(pid_, std::chrono::seconds(20), ended);
    if (!ended)
        killProgram(pid_);
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
