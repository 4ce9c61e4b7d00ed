// rq7ctl lang list DIR: the languages found in DIR, in directory order.

#include "cli/Command.h"
#include "languages/clsLanguage.h"

#include <ostream>

namespace rq7::cli {

namespace {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: rq7ctl lang list DIR\n";
        return kExitBadInput;
    }
    const std::string& dir = args[0];
    clsLanguage language;
    if (!language.GetLanguages(dir + "/*.lng", dir)) {
        err << "no language files in " << dir << '\n';
        return kExitFailure;
    }
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        out << i << '\t' << language.Name() << '\t' << language.File() << '\n';
    }
    return kExitOk;
}

const CommandRegistration registration{
    {"lang list", "DIR", "list the language files (*.lng) in DIR: index, name, file", run}};

} // namespace

} // namespace rq7::cli
