// rq7ctl report FILE.eep: the settings report of a settings file, as the
// program prints it, one line per report line on standard output (UTF-8).

#include "cli/Command.h"
#include "cli/SettingsFiles.h"
#include "encoding/Cp1250.h"
#include "operations/SmsCentreList.h"
#include "report/ReportLines.h"
#include "settings/SettingsRecord.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace rq7::cli {

namespace {

// Texts come from the file as they are; control characters (a stray escape
// sequence in a crafted file) must not reach the terminal, so they show as
// U+FFFD, as does malformed UTF-8. Everything else passes unchanged.
std::string terminalSafe(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t pos = 0; pos < line.size();) {
        const char32_t cp = cp1250::nextUtf8(line, pos);
        const bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
        cp1250::appendUtf8(out, control ? char32_t{0xFFFD} : cp);
    }
    return out;
}

// The SMS-centre list the program would offer, so that the centre prints as
// the list entry the program's window would show.
std::vector<std::string> smsCentreItems() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return LoadSmsCentreList(error ? std::filesystem::path() : self.parent_path());
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: rq7ctl report FILE.eep\n";
        return kExitBadInput;
    }
    SettingsRecord settings;
    std::string error;
    if (!readSettingsFile(args[0], smsCentreItems(), settings, error)) {
        err << "rq7ctl report: " << error << '\n';
        return kExitBadInput;
    }
    for (const std::string& line : report::reportLines(settings))
        out << terminalSafe(line) << '\n';
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"report", "FILE.eep",
     "print the settings report of a settings file (the printed report's lines)", run}};

} // namespace

} // namespace rq7::cli
