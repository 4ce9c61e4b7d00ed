// rq7ctl size SETTINGS.txt [--prefix P]: the settings size of a settings
// text (the image length plus one), as a bare number: the length of the
// file "rq7ctl build" makes of the same text, plus one, so counted after
// the replacements the field rules make (numbers completed with the prefix,
// clamped numbers).

#include "cli/Command.h"
#include "cli/SettingsCheck.h"
#include "cli/SettingsFiles.h"
#include "settings/SettingsSize.h"
#include "ui/language/catalogue/Texts.h"

#include <ostream>

namespace rq7::cli {

namespace {

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    std::string prefix = defaultPhonePrefix();
    if (const auto problem = takePrefixOption(args, prefix)) {
        err << "rq7ctl size: " << *problem << '\n';
        return kExitBadInput;
    }
    if (args.size() != 1) {
        err << "usage: rq7ctl size SETTINGS.txt [--prefix PREFIX]\n";
        return kExitBadInput;
    }
    SettingsRecord record;
    std::string error;
    if (!readSettingsText(args[0], record, error)) {
        err << "rq7ctl size: " << error << '\n';
        return kExitBadInput;
    }
    out << SettingsSize(rules::CheckRecord(record, prefix, Texts{}).corrected) << '\n';
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"size", "SETTINGS.txt [--prefix PREFIX]",
     "print the settings size of a settings text (the length of the file 'build' makes + 1, "
     "after the field rules' replacements), as a bare number",
     run}};

} // namespace

} // namespace rq7::cli
