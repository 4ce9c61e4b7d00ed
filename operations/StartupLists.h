#pragma once
// The items the main window's drop-down lists get once at start-up
// (`InitTables`): the three fixed choice lists of the panel link, each
// starting on its first item, and the SMS-centre list appended after what
// `tabTCcentra` already holds.

#include <filesystem>
#include <string>
#include <vector>

namespace rq7 {

struct StartupLists {
    std::vector<std::string> tabKOMUNIKFormat;
    std::vector<std::string> tabKOMUNIKParita;
    std::vector<std::string> tabKOMUNIKFrekvence;
    std::vector<std::string> tabTCcentra;
};

// `programDir`: the directory of the running program; `systemDir`: the
// system-wide configuration directory searched second.
StartupLists InitTables(const std::filesystem::path& programDir,
                        const std::filesystem::path& systemDir);

} // namespace rq7
