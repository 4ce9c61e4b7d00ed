#pragma once
// Why a serial port did not open, in the user's terms: the port is missing,
// another program holds it, the user lacks the permission (and which group
// would give it), a killed program left its lock file behind, or something
// else the system said. Asked of the system after the open failed; the
// answer's text is in the current language. Lock entries are looked at
// without following links or blocking (a folder, a FIFO, a device or a
// dangling link in their place is reported, never read), and before the
// port is opened too: the serial port's own lock handling would block on a
// FIFO for good.

#include "ui/language/catalogue/Texts.h"

#include <optional>
#include <string>
#include <vector>

namespace rq7::device {

enum class OpenProblem { Missing, InUse, NoPermission, StaleLock, BadLock, Other };

// A program that has the port open or locked.
struct PortHolder {
    std::string program; // "" when the system does not tell
    long pid = 0;
};

struct OpenFailure {
    OpenProblem problem = OpenProblem::Other;
    std::string path;       // the device path that was tried
    std::string systemText; // the system's own reason
    // Missing: the USB serial adapters present now.
    std::vector<std::string> usbPorts;
    // InUse: the first holder's program name ("" when the system does not tell).
    std::string program;
    // InUse: the first holder; StaleLock: the process named in the lock
    // file, 0 when it names none (damaged, a dangling link, init or a
    // kernel thread).
    long pid = 0;
    // InUse: every holder found, the lock's first, then those with the
    // port open.
    std::vector<PortHolder> holders;
    // NoPermission: the group with read and write access to the device (""
    // when no group has both).
    std::string group;
    // NoPermission: the user's account is in that group, but this login
    // started before it joined.
    bool joinedSinceLogin = false;
    unsigned mode = 0; // NoPermission: the device's permission bits
    // StaleLock: the lock file left behind; BadLock: the entry that is no
    // lock file.
    std::string lockFile;
};

// Where the facts are read; the tests point them at their own directories.
// Of lockDirs, those up to the first one this user may write are looked at
// (the serial port keeps its lock in the first writable one).
struct SystemPaths {
    std::vector<std::string> lockDirs = {"/run/lock",  "/var/lock",        "/var/lock/lockdev",
                                         "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                         "/tmp",       "/var/tmp"};
    std::string procDir = "/proc";
    std::string devDir = "/dev";
};

// Looks at the device, the lock files and the processes to tell the open
// failure of `path` apart; `systemText` is kept for Other.
OpenFailure DiagnoseOpenFailure(const std::string& path, const std::string& systemText,
                                const SystemPaths& paths = {});

// Before the port is opened: a lock entry of the port that is not a
// regular file (BadLock) or a link that leads nowhere (StaleLock).
std::optional<OpenFailure> LockEntryProblem(const std::string& path, const SystemPaths& paths = {});

// The message key that explains the failure (msg071 … msg080, msg085 … msg087).
std::string DiagnosisKey(const OpenFailure& failure);

// The explanation as shown under msg025: one or two lines.
std::string DescribeOpenFailure(const OpenFailure& failure, const Texts& texts);

// The command that adds the current user to a group.
std::string JoinGroupCommand(const std::string& group);

// The text with %1, %2 … replaced by the arguments in order.
std::string FillIn(std::string text, const std::vector<std::string>& arguments);

} // namespace rq7::device
