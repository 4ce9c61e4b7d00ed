#pragma once
// Runs rq7-sim for end-to-end tests and talks to its pseudo-terminal. Every
// wait is bounded; the destructor kills whatever is still running. Programs
// that run to their end: tests/support/Programs.h.

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace rq7::sim::testing {

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts rq7-sim with the arguments and reads the terminal's path from
    // its first line. False with the reason (and its error output).
    bool start(const std::vector<std::string>& args, std::string& error);
    const std::string& ptyPath() const { return ptyPath_; }
    // SIGTERM, then waits for the end; the exit code, or -1.
    int stop();
    // What it wrote to standard error so far.
    std::string errorOutput() const;

private:
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    std::string errPath_;
    std::string ptyPath_;
};

// A client of the simulator's terminal, in raw mode.
class PtyClient {
public:
    explicit PtyClient(const std::string& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool send(const std::vector<std::uint8_t>& bytes);
    // Bytes up to and including a CR, or whatever came before the limit.
    std::vector<std::uint8_t>
    receiveFrame(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Sends a request body (checksum and CR added) and returns the reply.
    std::vector<std::uint8_t> ask(const std::vector<std::uint8_t>& body);

private:
    int fd_ = -1;
};

} // namespace rq7::sim::testing
