#pragma once
// Why a serial port did not open, in the user's terms: the port is missing,
// another program holds it, the user lacks the permission (and which group
// would give it), a killed program left its lock file behind, or something
// else the system said. Asked of the system after the open failed; the
// answer's text is in the current language.

#include "ui/language/catalogue/Texts.h"

#include <string>
#include <vector>

namespace rq7::device {

enum class OpenProblem { Missing, InUse, NoPermission, StaleLock, Other };

struct OpenFailure {
    OpenProblem problem = OpenProblem::Other;
    std::string path;       // the device path that was tried
    std::string systemText; // the system's own reason
    // Missing: the USB serial adapters present now.
    std::vector<std::string> usbPorts;
    // InUse: the holder's program name ("" when the system does not tell).
    std::string program;
    // InUse: the holder; StaleLock: the process named in the lock file.
    long pid = 0;
    // NoPermission: the group with read and write access to the device (""
    // when no group has both).
    std::string group;
    // NoPermission: the user's account is in that group, but this login
    // started before it joined.
    bool joinedSinceLogin = false;
    unsigned mode = 0; // NoPermission: the device's permission bits
    // StaleLock: the lock file left behind.
    std::string lockFile;
};

// Where the facts are read; the tests point them at their own directories.
struct SystemPaths {
    std::vector<std::string> lockDirs = {"/run/lock", "/var/lock"};
    std::string procDir = "/proc";
    std::string devDir = "/dev";
};

// Looks at the device, the lock files and the processes to tell the open
// failure of `path` apart; `systemText` is kept for Other.
OpenFailure DiagnoseOpenFailure(const std::string& path, const std::string& systemText,
                                const SystemPaths& paths = {});

// The message key that explains the failure (msg071 … msg080).
std::string DiagnosisKey(const OpenFailure& failure);

// The explanation as shown under msg025: one or two lines.
std::string DescribeOpenFailure(const OpenFailure& failure, const Texts& texts);

// The command that adds the current user to a group.
std::string JoinGroupCommand(const std::string& group);

// The text with %1, %2 … replaced by the arguments in order.
std::string FillIn(std::string text, const std::vector<std::string>& arguments);

} // namespace rq7::device
