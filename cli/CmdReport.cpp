// rq7ctl report FILE.eep [--pdf OUT.pdf]: the settings report of a settings
// file, as the program prints it, one line per report line on standard
// output (UTF-8), or printed by the window's printing code into a PDF file.

#include "cli/Command.h"
#include "cli/SettingsFiles.h"
#include "cli/TerminalSafe.h"
#include "operations/SmsCentreList.h"
#include "report/ReportLines.h"
#include "report/qt/PrintReport.h"
#include "settings/SettingsRecord.h"

#include <QGuiApplication>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace rq7::cli {

namespace {

// The SMS-centre list the program would offer, so that the centre prints as
// the list entry the program's window would show.
std::vector<std::string> smsCentreItems() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return LoadSmsCentreList(error ? std::filesystem::path() : self.parent_path());
}

constexpr const char* kUsage = "usage: rq7ctl report FILE.eep [--pdf OUT.pdf]\n";

// The printer draws text, which needs a GUI application; a command-line
// tool shows nothing, so it never needs a display.
int printPdf(const SettingsRecord& settings, const std::string& pdf, std::ostream& err) {
    static int argc = 3;
    static char name[] = "rq7ctl";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    const QGuiApplication app(argc, argv);
    std::string error;
    if (!report::printSettingsReportToPdf(settings, pdf, error)) {
        err << "rq7ctl report: " << error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string pdf;
    bool wellFormed = true;
    for (std::size_t i = 0; i < args.size() && wellFormed; ++i) {
        if (args[i] == "--pdf" && i + 1 < args.size() && pdf.empty() && !args[i + 1].empty())
            pdf = args[++i];
        else if (path.empty() && !args[i].empty() && args[i][0] != '-')
            path = args[i];
        else
            wellFormed = false;
    }
    if (!wellFormed || path.empty()) {
        err << kUsage;
        return kExitBadInput;
    }
    SettingsRecord settings;
    std::string error;
    if (!readSettingsFile(path, smsCentreItems(), settings, error)) {
        err << "rq7ctl report: " << error << '\n';
        return kExitBadInput;
    }
    if (!pdf.empty())
        return printPdf(settings, pdf, err);
    for (const std::string& line : report::reportLines(settings))
        out << terminalSafe(line) << '\n';
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"report", "FILE.eep [--pdf OUT.pdf]",
     "print the settings report of a settings file (the printed report's lines), or print\n"
     "      it on A4 into a PDF file as the program's print button would",
     run}};

} // namespace

} // namespace rq7::cli
