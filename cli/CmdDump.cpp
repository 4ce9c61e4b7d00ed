// rq7ctl dump FILE.eep: the settings held in a settings file, one
// "name=value" line per field in field-table order (texts UTF-8), in the
// settings-text form that "rq7ctl build" reads back.

#include "cli/Command.h"
#include "cli/SettingsFiles.h"
#include "cli/TerminalSafe.h"
#include "settings/SettingsText.h"

#include <algorithm>
#include <ostream>

namespace rq7::cli {

namespace {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: rq7ctl dump FILE.eep\n";
        return kExitBadInput;
    }
    const std::string& path = args[0];
    SettingsRecord record;
    std::string error;
    if (!readSettingsFile(path, {}, record, error)) {
        err << "rq7ctl dump: " << error << '\n';
        return kExitBadInput;
    }
    // A line cannot carry a line break, and dropping it would change the
    // settings when the text is built again.
    if (const std::string field = FieldWithLineBreak(record); !field.empty()) {
        err << "rq7ctl dump: " << path << ": " << field
            << " holds a line break, which a settings text cannot carry\n";
        return kExitBadInput;
    }
    // Control characters from a crafted file show as U+FFFD, as in the
    // report; the line break ending each line is ours.
    const std::string text = FormatSettingsText(record);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::string shown = terminalSafe(line);
        if (shown != line)
            err << "rq7ctl dump: " << path << ": " << shown.substr(0, shown.find('='))
                << " holds control characters, shown as U+FFFD\n";
        out << shown << '\n';
    }
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"dump", "FILE.eep",
     "print the settings of a settings file as name=value lines (the form 'build' reads)", run}};

} // namespace

} // namespace rq7::cli
