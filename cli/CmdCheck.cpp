// rq7ctl check SETTINGS.txt [--prefix P]: the field rules the windows apply
// when each field is left, and the output cross rule of saving to the device,
// run over a settings text. Prints one line per rejection and per
// replacement; status 1 when anything was rejected.

#include "cli/Command.h"
#include "cli/SettingsCheck.h"
#include "cli/TerminalSafe.h"
#include "files/WholeFile.h"
#include "settings/SettingsText.h"

#include <ostream>
#include <string>

namespace rq7::cli {

namespace {

constexpr const char* kUsage = "usage: rq7ctl check SETTINGS.txt [--prefix PREFIX]\n";

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    std::string prefix = defaultPhonePrefix();
    if (const auto problem = takePrefixOption(args, prefix)) {
        err << "rq7ctl check: " << *problem << '\n';
        return kExitBadInput;
    }
    if (args.size() != 1) {
        err << kUsage;
        return kExitBadInput;
    }
    std::string text;
    std::string reason;
    if (files::readWholeFile(args[0], text, reason) != files::FileRead::Read) {
        err << "rq7ctl check: cannot read " << args[0] << (reason.empty() ? "" : ": " + reason)
            << '\n';
        return kExitBadInput;
    }
    SettingsRecord record;
    const SettingsTextResult parsed = ParseSettingsText(text, record);
    if (!parsed.ok) {
        err << "rq7ctl check: " << args[0] << ": " << terminalSafe(parsed.error) << '\n';
        return kExitBadInput;
    }
    const rules::RecordCheck check = printSettingsCheck(record, prefix, out);
    return check.rejected() ? kExitFailure : kExitOk;
}

const CommandRegistration registration{
    {"check", "SETTINGS.txt [--prefix PREFIX]",
     "apply the field rules to a settings text: rejections as 'field: msgKEY text', "
     "replacements as 'field=value' (status 1 if anything is rejected; PREFIX completes "
     "national telephone numbers, default +420)",
     run}};

} // namespace

} // namespace rq7::cli
