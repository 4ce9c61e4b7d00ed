// rq7ctl size SETTINGS.txt: the settings size of a settings text (the image
// length plus one), as a bare number.

#include "cli/Command.h"
#include "cli/SettingsFiles.h"
#include "settings/SettingsSize.h"

#include <ostream>

namespace rq7::cli {

namespace {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: rq7ctl size SETTINGS.txt\n";
        return kExitBadInput;
    }
    SettingsRecord record;
    std::string error;
    if (!readSettingsText(args[0], record, error)) {
        err << "rq7ctl size: " << error << '\n';
        return kExitBadInput;
    }
    out << SettingsSize(record) << '\n';
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"size", "SETTINGS.txt",
     "print the settings size of a settings text (image length + 1), as a bare number", run}};

} // namespace

} // namespace rq7::cli
