// rq7ctl lang get DIR LANGUAGE KEY DEFAULT: one lookup as the program makes
// it, with the language of that name current.

#include "cli/Command.h"
#include "languages/clsLanguage.h"

#include <ostream>

namespace rq7::cli {

namespace {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4) {
        err << "usage: rq7ctl lang get DIR LANGUAGE KEY DEFAULT\n";
        return kExitBadInput;
    }
    const std::string& dir = args[0];
    clsLanguage language;
    language.GetLanguages(dir + "/*.lng", dir);
    // The first language of that name in directory order, as a saved
    // choice is restored; none found leaves no language current.
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        if (language.Name() == args[1])
            break;
        language.Index(-1);
    }
    std::string text;
    if (language.GetExpression(args[2], args[3], text) != LanguageStatus::Ok)
        err << "rq7ctl: cannot read " << language.File() << "; default used\n";
    out << text << '\n';
    return kExitOk;
}

const CommandRegistration registration{
    {"lang get", "DIR LANGUAGE KEY DEFAULT",
     "print the text of KEY in LANGUAGE (a gLanguage name) found in DIR, or DEFAULT", run}};

} // namespace

} // namespace rq7::cli
