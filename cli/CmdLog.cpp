// rq7ctl log [--station TEXT] [--since DATE] [--json]: the installation
// record (operations/InstallationLog.h), one write per line: a
// tab-separated table under a heading line, or the JSON lines themselves.

#include "cli/Command.h"
#include "cli/TerminalSafe.h"
#include "operations/InstallationLog.h"

#include <QDateTime>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage = "usage: rq7ctl log [--station TEXT] [--since DATE] [--json]\n";

// DATE as "2026-12-08" (local midnight) or a full ISO 8601 time.
QDateTime parseSince(const std::string& text) {
    const QString value = QString::fromStdString(text);
    const QDate date = QDate::fromString(value, Qt::ISODate);
    if (date.isValid() && value.size() == 10)
        return date.startOfDay();
    return QDateTime::fromString(value, Qt::ISODate);
}

std::string changedText(const InstallationRecord& record) {
    if (record.changedAll)
        return "all";
    if (!record.changed)
        return "?";
    std::string text;
    for (const std::string& name : *record.changed)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

// A cell of the table: no tab or line break of its own.
std::string cell(const std::string& text) {
    std::string out = terminalSafe(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return out;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string station;
    std::optional<QDateTime> since;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--station" && i + 1 < args.size()) {
            station = args[++i];
        } else if (args[i] == "--since" && i + 1 < args.size()) {
            since = parseSince(args[++i]);
            if (!since->isValid()) {
                err << "rq7ctl log: --since takes a date (2026-12-08) or an ISO 8601 time, not '"
                    << args[i] << "'\n";
                return kExitBadInput;
            }
        } else {
            err << kUsage;
            return kExitBadInput;
        }
    }
    std::vector<InstallationRecord> records;
    int skipped = 0;
    std::string error;
    const std::filesystem::path folder = DefaultLogFolder();
    if (!ReadInstallations(folder, records, skipped, error)) {
        err << "rq7ctl log: " << error << '\n';
        return kExitFailure;
    }
    if (skipped > 0)
        err << "rq7ctl log: " << (folder / kInstallationsFile).string() << ": " << skipped
            << " line(s) that are no record skipped\n";
    if (!json)
        out << "time\ttechnician\tport\tmodel\tversion\tstation\tresult\tverify\tchanged\t"
               "image_sha256\tseries\trow\tsource\tdetail\n";
    for (const InstallationRecord& r : records) {
        if (!station.empty() && r.station.find(station) == std::string::npos)
            continue;
        if (since && QDateTime::fromString(QString::fromStdString(r.time), Qt::ISODate) < *since)
            continue;
        if (json) {
            out << RecordJson(r) << '\n';
            continue;
        }
        const std::string cells[] = {r.time,
                                     r.technician,
                                     r.port,
                                     r.model,
                                     r.version,
                                     r.station,
                                     resultName(r.result),
                                     r.verify ? "yes" : "no",
                                     changedText(r),
                                     r.imageSha256,
                                     r.series.value_or(""),
                                     r.series ? std::to_string(r.row) : "",
                                     r.source,
                                     r.detail};
        bool first = true;
        for (const std::string& c : cells) {
            out << (first ? "" : "\t") << cell(c);
            first = false;
        }
        out << '\n';
    }
    return out ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"log", "[--station TEXT] [--since DATE] [--json]",
     "print the installation record (every write to a device: who, when, which settings,\n"
     "      verified or not) as a tab-separated table, or its JSON lines with --json;\n"
     "      --station keeps stations whose name contains TEXT, --since records from DATE on",
     run}};

} // namespace

} // namespace rq7::cli
