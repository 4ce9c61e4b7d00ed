// rq7ctl series BASE.eep TABLE.csv: one base settings file and a table of
// per-device values (operations/SeriesTable.h) programmed into a series of
// devices, each row by the device job (operations/DeviceJob.h) with its
// installation record. Every row is checked before any port is opened; a
// failed row does not stop the others unless --stop-on-error. Rows run one
// after another; --parallel runs the rows of distinct ports at once (one
// thread and link per port), the n-th row of every port together.

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "cli/SettingsCheck.h"
#include "cli/SettingsFiles.h"
#include "cli/TerminalSafe.h"
#include "files/WholeFile.h"
#include "operations/Backups.h"
#include "operations/DeviceJob.h"
#include "operations/InstallationLog.h"
#include "operations/SeriesTable.h"
#include "report/qt/PrintReport.h"

#include <QGuiApplication>
#include <QThread>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl series BASE.eep TABLE.csv [--port DEV] [--no-prompt] [--parallel]\n"
    "       [--pdf DIR] [--resume] [--stop-on-error] [--no-verify] [--no-backup]\n"
    "       [--technician NAME] [--prefix PREFIX] [--wait SECONDS] [--trace FILE]\n";

// Largest table read: far beyond any series, small enough to hold.
constexpr std::size_t kTableLimit = 16 * 1024 * 1024;

struct Arguments {
    DeviceOptions device;
    std::string base;
    std::string table;
    std::string pdf;
    std::string technician;
    std::string prefix = defaultPhonePrefix();
    bool prompt = true;
    bool parallel = false;
    bool resume = false;
    bool stopOnError = false;
    bool verify = true;
    bool backUp = true;
};

std::optional<std::string> parse(std::vector<std::string> args, Arguments& parsed) {
    if (auto error = takeDeviceOptions(args, parsed.device, false))
        return error;
    if (auto error = takeTechnicianOption(args, parsed.technician))
        return error;
    if (auto error = takePrefixOption(args, parsed.prefix))
        return error;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-prompt")
            parsed.prompt = false;
        else if (arg == "--parallel")
            parsed.parallel = true;
        else if (arg == "--resume")
            parsed.resume = true;
        else if (arg == "--stop-on-error")
            parsed.stopOnError = true;
        else if (arg == "--no-verify")
            parsed.verify = false;
        else if (arg == "--no-backup")
            parsed.backUp = false;
        else if (arg == "--pdf" && i + 1 < args.size() && !args[i + 1].empty())
            parsed.pdf = args[++i];
        else if (!arg.empty() && arg[0] != '-')
            files.push_back(arg);
        else
            return "unknown option '" + arg + "'";
    }
    if (files.size() != 2)
        return std::string("BASE.eep and TABLE.csv are needed");
    parsed.base = files[0];
    parsed.table = files[1];
    if (parsed.parallel && !parsed.device.trace.empty())
        return std::string("--trace records one port: leave out --parallel");
    return std::nullopt;
}

enum class RowState { Waiting, Written, Failed, Skipped, NotRun };

const char* stateName(RowState state) {
    switch (state) {
    case RowState::Written:
        return "written";
    case RowState::Failed:
        return "failed";
    case RowState::Skipped:
        return "skipped";
    case RowState::NotRun:
        return "not run";
    case RowState::Waiting:
        break;
    }
    return "waiting";
}

struct RowRun {
    const PlannedRow* plan = nullptr;
    std::string port;
    std::string sha;
    RowState state = RowState::Waiting;
    std::string detail;
    bool problem = false; // written, but its record or PDF is missing
    std::string output;   // --parallel: the row's messages
};

std::string rowName(const RowRun& run) {
    const PlannedRow& plan = *run.plan;
    std::string name = "row " + std::to_string(plan.source.row);
    if (!plan.source.id.empty())
        name += " (" + plan.source.id + ")";
    return name + " '" + plan.settings.tabJmenoStanice + "' on " + run.port;
}

// One row through the device job on `link`.
void runRow(RowRun& run, device::DeviceLink& link, const DeviceJobSetup& common, Prompter& prompter,
            StatusSink& status, const Texts& texts) {
    DeviceJobSetup setup = common;
    setup.port = run.port;
    setup.record.row = run.plan->source.row;
    const DeviceJobResult job =
        RunDeviceJob(link, run.plan->settings, setup, prompter, status, texts);
    run.state = job.written() ? RowState::Written : RowState::Failed;
    run.detail = job.told.key.empty() ? job.told.text : job.told.key + " " + job.told.text;
    if (run.detail.empty() && !job.activated)
        run.detail = "the device was not activated";
    if (job.leftActive) {
        run.detail += "; the device did not confirm the end of programming mode";
        run.problem = true;
    }
    if (job.write.record && !job.write.recorded) {
        run.detail += "; the installation record was not kept: " + job.write.recordError;
        run.problem = true;
    }
}

// The rows of one wave at once, a thread and a link of its own for each.
void runWave(std::vector<RowRun*>& wave, const DeviceJobSetup& common) {
    std::vector<std::unique_ptr<QThread>> threads;
    for (RowRun* run : wave) {
        threads.emplace_back(QThread::create([run, &common] {
            std::ostringstream out;
            const Texts texts;
            device::SerialTransport port;
            port.setTexts(texts);
            device::EventLoopWaiter waiter(port);
            waiter.setCancelProbe([] { return InterruptRequested(); });
            ConsolePrompter prompter(out);
            ConsoleStatus status(out, false);
            device::DeviceLink link(port, waiter, prompter, status, texts);
            runRow(*run, link, common, prompter, status, texts);
            run->output = out.str();
        }));
        threads.back()->start();
    }
    for (auto& thread : threads)
        thread->wait();
}

// Names the next rows and waits for Enter; false on "q" or the input's end.
bool askToGoOn(const std::vector<RowRun*>& next, std::ostream& err) {
    err << "next:";
    for (const RowRun* run : next)
        err << ' ' << terminalSafe(rowName(*run)) << (run == next.back() ? "" : ",");
    err << "\nconnect the device" << (next.size() > 1 ? "s" : "")
        << " and press Enter (q and Enter to stop) " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line))
        return false;
    return line != "q" && line != "Q";
}

// The PDF report of a written row; false with the reason in its detail.
void printRowReport(RowRun& run, const fs::path& folder) {
    std::error_code made;
    fs::create_directories(folder, made);
    const fs::path path =
        folder / (RowFileStem(run.plan->source, run.plan->settings.tabJmenoStanice) + ".pdf");
    std::string error;
    if (!report::printSettingsReportToPdf(run.plan->settings, path.string(), error)) {
        run.detail += "; no PDF report: " + error;
        run.problem = true;
    }
}

std::unique_ptr<QGuiApplication> makeGuiApplication() {
    static int argc = 3;
    static char name[] = "rq7ctl";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The checks that need no device; the planned rows, or none with every
// problem on err.
std::optional<std::vector<PlannedRow>> checkTable(const Arguments& a, const SettingsRecord& base,
                                                  std::ostream& err) {
    std::string bytes;
    std::string reason;
    switch (files::readWholeFile(a.table, bytes, reason, kTableLimit)) {
    case files::FileRead::Read:
        break;
    case files::FileRead::Missing:
        err << "rq7ctl series: cannot open " << a.table << '\n';
        return std::nullopt;
    case files::FileRead::Failed:
        err << "rq7ctl series: cannot read " << a.table << ": " << reason << '\n';
        return std::nullopt;
    }
    if (bytes.size() > kTableLimit) {
        err << "rq7ctl series: " << a.table << " is larger than a table of devices can be\n";
        return std::nullopt;
    }
    SeriesTable table;
    std::vector<TableProblem> problems;
    std::vector<PlannedRow> rows;
    if (ReadSeriesTable(bytes, table, problems))
        rows = PlanSeries(base, table, a.prefix, a.device.port, Texts{}, problems);
    for (const TableProblem& problem : problems)
        err << a.table << ": " << terminalSafe(problem.line()) << '\n';
    if (!problems.empty())
        return std::nullopt;
    for (const PlannedRow& row : rows)
        for (const std::string& line : row.replacements)
            err << a.table << ": row " << row.source.row << ": " << terminalSafe(line) << '\n';
    return rows;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments a;
    if (const auto error = parse(args, a)) {
        err << "rq7ctl series: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    SettingsRecord base;
    std::string error;
    if (!readSettingsFile(a.base, {}, base, error)) {
        err << "rq7ctl series: " << error << '\n';
        return kExitBadInput;
    }
    const std::optional<std::vector<PlannedRow>> rows = checkTable(a, base, err);
    if (!rows)
        return kExitBadInput;

    const fs::path logFolder = DefaultLogFolder();
    const fs::path backupFolder = a.backUp ? DefaultBackupFolder() : fs::path();
    if (logFolder.empty() || (a.backUp && backupFolder.empty())) {
        err << "rq7ctl series: no folder for the installation record or the backups (HOME is "
               "not set); set RQ7_LOG_DIR and RQ7_BACKUP_DIR\n";
        return kExitBadInput;
    }
    const std::string tablePath = fs::absolute(a.table).lexically_normal().string();
    std::vector<InstallationRecord> records;
    int skipped = 0;
    if (a.resume && !ReadInstallations(logFolder, records, skipped, error)) {
        err << "rq7ctl series: --resume: " << error << '\n';
        return kExitBadInput;
    }

    std::vector<RowRun> runs;
    std::map<std::string, std::vector<RowRun*>> byPort;
    for (const PlannedRow& plan : *rows) {
        RowRun run;
        run.plan = &plan;
        run.port = plan.source.port.empty() ? a.device.port : plan.source.port;
        run.sha = Sha256Hex(SettingsImageBytes(plan.settings));
        if (a.resume && RowAlreadyWritten(records, tablePath, plan.source.row, run.sha)) {
            run.state = RowState::Skipped;
            run.detail = "already written (installation record)";
        }
        runs.push_back(std::move(run));
    }
    for (RowRun& run : runs)
        if (run.state == RowState::Waiting)
            byPort[run.port].push_back(&run);
    for (const auto& [port, onPort] : byPort)
        if (onPort.size() > 1 && a.prompt && ::isatty(0) != 1) {
            err << "rq7ctl series: rows " << onPort[0]->plan->source.row << " and "
                << onPort[1]->plan->source.row << " share " << port
                << ", and there is no terminal to ask before the next device: give --no-prompt "
                   "to go straight on\n";
            return kExitBadInput;
        }

    std::unique_ptr<QGuiApplication> gui = a.pdf.empty() ? nullptr : makeGuiApplication();
    DeviceSession session(a.device, err);
    if (session.traceFailed())
        return kExitBadInput;
    DeviceJobSetup common;
    common.activation = session.activationOptions();
    common.verify = a.verify;
    common.backupFolder = backupFolder;
    common.record = {logFolder, TechnicianName(a.technician, nullptr),
                     {},        fs::absolute(a.base).lexically_normal().string(),
                     tablePath, 0};

    // Waves: the n-th waiting row of every port; without --parallel each
    // wave is one row, in table order.
    std::vector<std::vector<RowRun*>> waves;
    if (a.parallel) {
        for (const auto& [port, onPort] : byPort)
            for (std::size_t n = 0; n < onPort.size(); ++n) {
                if (waves.size() <= n)
                    waves.emplace_back();
                waves[n].push_back(onPort[n]);
            }
    } else {
        for (RowRun& run : runs)
            if (run.state == RowState::Waiting)
                waves.push_back({&run});
    }
    std::map<std::string, bool> portUsed;
    bool stop = false;
    for (std::vector<RowRun*>& wave : waves) {
        bool reused = false;
        for (const RowRun* run : wave)
            reused = reused || portUsed[run->port];
        if (stop || session.interrupted() || (reused && a.prompt && !askToGoOn(wave, err)))
            break;
        for (const RowRun* run : wave)
            portUsed[run->port] = true;
        if (a.parallel) {
            runWave(wave, common);
            for (RowRun* run : wave)
                err << "== " << terminalSafe(rowName(*run)) << '\n' << run->output;
        } else {
            err << "== " << terminalSafe(rowName(*wave.front())) << '\n';
            runRow(*wave.front(), session.link(), common, session.prompter(), session.status(),
                   session.texts());
        }
        for (RowRun* run : wave) {
            if (run->state == RowState::Written && !a.pdf.empty())
                printRowReport(*run, a.pdf);
            stop = stop || (a.stopOnError && run->state == RowState::Failed);
        }
    }

    bool allWritten = true;
    out << "row\tid\tstation\tport\tresult\tdetail\n";
    for (RowRun& run : runs) {
        if (run.state == RowState::Waiting)
            run.state = RowState::NotRun;
        allWritten = allWritten && !run.problem &&
                     (run.state == RowState::Written || run.state == RowState::Skipped);
        out << run.plan->source.row << '\t' << terminalSafe(run.plan->source.id) << '\t'
            << terminalSafe(run.plan->settings.tabJmenoStanice) << '\t' << terminalSafe(run.port)
            << '\t' << stateName(run.state) << '\t' << terminalSafe(run.detail) << '\n';
    }
    return session.exitStatus(allWritten ? kExitOk : kExitFailure);
}

const CommandRegistration registration{
    {"series",
     "BASE.eep TABLE.csv [--port DEV] [--no-prompt] [--parallel] [--pdf DIR] [--resume]\n"
     "      [--stop-on-error] [--no-verify] [--no-backup] [--technician NAME] [--prefix P]",
     "program a series of devices: the base settings with each table row's values (CSV,\n"
     "      ',' or ';', a header of field names as 'dump' prints them, optional 'port' and\n"
     "      'id' columns); every row is checked before any port opens (status 2); each row\n"
     "      is backed up, written, verified and recorded; a summary line per row on stdout",
     run}};

} // namespace

} // namespace rq7::cli
