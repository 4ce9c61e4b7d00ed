#pragma once
// rq7ctl sub-commands. Each lives in a file of its own and registers itself
// with a static CommandRegistration, so adding a command touches one file.

#include <iosfwd>
#include <string>
#include <vector>

namespace rq7::cli {

// Exit statuses shared by all commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the device or a check said no
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitUnprogrammed = 3;   // read: the device holds no settings
inline constexpr int kExitLeftActive = 4;     // deactivation refused: still in programming mode
inline constexpr int kExitConnectionLost = 5; // the port went away during a command

struct Command {
    std::string name;  // e.g. "dump", or "lang list"
    std::string usage; // one line: arguments
    std::string help;  // one line: what it does
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& commands();

} // namespace rq7::cli
