#include "cli/Command.h"
#include "rq7/Version.h"

#include <algorithm>
#include <iostream>

namespace rq7::cli {

static std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

CommandRegistration::CommandRegistration(Command command) {
    registry().push_back(std::move(command));
}

const std::vector<Command>& commands() {
    return registry();
}

static void printUsage(std::ostream& out) {
    std::vector<Command> sorted = commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    out << "usage: rq7ctl COMMAND [ARGS]\n       rq7ctl --help | --version\n\ncommands:\n";
    for (const Command& c : sorted)
        out << "  rq7ctl " << c.name << ' ' << c.usage << "\n      " << c.help << '\n';
    out << "\ndevice options:\n"
           "  --port DEV      \"COM 1\" ... \"COM 4\" or a device path (see rq7ctl ports)\n"
           "  --wait SECONDS  how long to wait for the device's answer (default 60,\n"
           "                  0 = until Ctrl-C); the device's key must be pressed meanwhile\n"
           "  --trace FILE    append the serial traffic to FILE (also RQ7_TRACE=FILE): one\n"
           "                  line per frame, seconds since the port was opened, > sent,\n"
           "                  < received, ! thrown away (reason), - open/close/timeout/lost\n"
           "\ninstallation record (write, series; see 'log'):\n"
           "  RQ7_LOG_DIR     its folder (default: beside the backup folder)\n"
           "  RQ7_TECHNICIAN  the technician's name when --technician is not given\n"
           "\nexit statuses (every command):\n"
           "  0  done; diff: the settings are equal; check: no finding\n"
           "  1  failed: the device did not answer or refused, a transfer or the backup\n"
           "     before a write failed, an output could not be written; diff: the\n"
           "     settings differ; check: a finding; series: a row not written\n"
           "  2  bad input: wrong arguments, a file that cannot be read or holds no\n"
           "     valid settings; diff: also a device that could not be read; series: a\n"
           "     table that fails its checks (no port was opened)\n"
           "  3  read, diff --port: the device holds no settings (read still writes the file)\n"
           "  4  identify, read, write, diff --port: the device refused to leave\n"
           "     programming mode\n"
           "  5  identify, read, write, diff --port: the connection to the port was lost\n";
}

} // namespace rq7::cli

int main(int argc, char** argv) {
    using namespace rq7::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? kExitBadInput : kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "rq7ctl " << rq7::kProgramVersion << '\n';
        return kExitOk;
    }
    // The longest registered name that the arguments start with wins, so
    // "lang list" is found before a plain "lang".
    const Command* best = nullptr;
    std::size_t bestWords = 0;
    for (const Command& c : commands()) {
        std::vector<std::string> words;
        for (std::size_t start = 0; start <= c.name.size();) {
            std::size_t end = c.name.find(' ', start);
            if (end == std::string::npos)
                end = c.name.size();
            words.push_back(c.name.substr(start, end - start));
            start = end + 1;
        }
        if (words.size() > args.size() || words.size() <= bestWords)
            continue;
        if (std::equal(words.begin(), words.end(), args.begin())) {
            best = &c;
            bestWords = words.size();
        }
    }
    if (!best) {
        std::cerr << "rq7ctl: unknown command '" << args[0] << "'\n\n";
        printUsage(std::cerr);
        return kExitBadInput;
    }
    args.erase(args.begin(), args.begin() + static_cast<long>(bestWords));
    try {
        return best->run(args, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "rq7ctl: " << e.what() << '\n';
        return kExitBadInput;
    }
}
