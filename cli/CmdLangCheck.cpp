// rq7ctl lang check FILE.lng: keys of the catalogue the file lacks, and keys
// that another entry answers before their own, texts a doubled apostrophe cuts
// short, and a UTF-8 file without its byte-order mark.

#include "cli/Command.h"
#include "ui/language/catalogue/LanguageFileCheck.h"

#include <ostream>

namespace rq7::cli {

namespace {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: rq7ctl lang check FILE.lng\n";
        return kExitBadInput;
    }
    const LanguageFileReport report = checkLanguageFile(args[0]);
    if (!report.readable) {
        err << "rq7ctl: " << report.error << '\n';
        return kExitBadInput;
    }
    for (const LanguageFileProblem& problem : report.problems)
        out << describe(problem) << '\n';
    return report.problems.empty() ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"lang check", "FILE.lng",
     "list the keys FILE lacks or answers from another entry, texts cut short by a doubled "
     "apostrophe, and UTF-8 without a byte-order mark (status 1 if any)",
     run}};

} // namespace

} // namespace rq7::cli
