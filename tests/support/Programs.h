#pragma once
// Runs the build's programs (rq7ctl, rq7-sim) from tests: no shell, every
// wait bounded, output captured.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace rq7::test {

// $RQ7_BIN_DIR/name, where the build puts every program.
std::string binPath(const std::string& name);

struct ProgramResult {
    int exitCode = -1; // -1: did not start, did not end in time, or died of a signal
    std::string out;
    std::string err;
};

// Runs a program to its end (killed after `limit`), capturing its output;
// standard input is /dev/null.
ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         std::chrono::milliseconds limit = std::chrono::seconds(60));

// rq7ctl of the build with these arguments.
ProgramResult runRq7ctl(const std::vector<std::string>& args);

// For programs that keep running: starts path with args, standard output to
// outFd, standard error to the file errPath. The process id, or -1.
pid_t startProgram(const std::string& path, const std::vector<std::string>& args, int outFd,
                   const std::string& errPath);
// Waits up to `limit` for the process to end: its exit code, or -1 (ended
// tells whether it is gone).
int waitForExit(pid_t pid, std::chrono::milliseconds limit, bool& ended);
// SIGKILL, then waits for the end.
void killProgram(pid_t pid);

// A new empty file under /tmp whose name starts with `stem`.
std::string temporaryFile(const char* stem);

} // namespace rq7::test
