#include "operations/SeriesTable.h"

#include "encoding/Cp1250.h"
#include "operations/InstallationLog.h"
#include "settings/FieldWidths.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsText.h"
#include "ui/main/rules/RecordCheck.h"

#include <csv.h>
#include <map>
#include <set>

namespace rq7 {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The separator the first line uses more often outside quotes; "," on a tie.
char sniffSeparator(std::string_view text) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

// The position of the first byte no text file holds, or npos.
std::size_t binaryByte(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return i;
    }
    return std::string_view::npos;
}

struct Records {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> current;
};

extern "C" void onField(void* field, std::size_t length, void* data) {
    auto* records = static_cast<Records*>(data);
    records->current.emplace_back(static_cast<const char*>(field), length);
}

extern "C" void onRecord(int, void* data) {
    auto* records = static_cast<Records*>(data);
    records->rows.push_back(std::move(records->current));
    records->current.clear();
}

bool allEmpty(const std::vector<std::string>& cells) {
    for (const std::string& cell : cells)
        if (!cell.empty())
            return false;
    return true;
}

TableProblem problem(int row, std::string column, std::string text) {
    return {row, std::move(column), std::move(text)};
}

} // namespace

std::string TableProblem::line() const {
    if (row == 0)
        return text;
    return "row " + std::to_string(row) + (column.empty() ? "" : ", " + column) + ": " + text;
}

bool ReadSeriesTable(std::string_view bytes, SeriesTable& table,
                     std::vector<TableProblem>& problems) {
    table = {};
    const std::size_t problemsBefore = problems.size();
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    if (const std::size_t at = binaryByte(bytes); at != std::string_view::npos) {
        problems.push_back(problem(0, "",
                                   "the table is not CSV text (a control byte at offset " +
                                       std::to_string(at) + ")"));
        return false;
    }
    std::string text(bytes);
    if (cp1250::sanitizeUtf8(text) != text) {
        text = cp1250::toUtf8(text);
        table.windows1250 = true;
    }
    table.separator = sniffSeparator(text);

    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        problems.push_back(problem(0, "", "the CSV reader could not start"));
        return false;
    }
    csv_set_delim(&parser, static_cast<unsigned char>(table.separator));
    Records records;
    const bool parsed =
        csv_parse(&parser, text.data(), text.size(), onField, onRecord, &records) == text.size() &&
        csv_fini(&parser, onField, onRecord, &records) == 0;
    const std::string reason = parsed ? "" : csv_strerror(csv_error(&parser));
    csv_free(&parser);
    if (!parsed) {
        problems.push_back(problem(static_cast<int>(records.rows.size()) + 1, "",
                                   "the table is not CSV (" + reason + ")"));
        return false;
    }
    if (records.rows.empty() || allEmpty(records.rows.front())) {
        problems.push_back(problem(0, "", "the table has no header row naming its columns"));
        return false;
    }

    table.header = records.rows.front();
    std::set<std::string> seen;
    std::vector<bool> known(table.header.size(), false);
    int fields = 0;
    for (std::size_t c = 0; c < table.header.size(); ++c) {
        const std::string& name = table.header[c];
        const std::string column = "column " + std::to_string(c + 1);
        if (name.empty())
            problems.push_back(problem(1, column, "the header names no column"));
        else if (!seen.insert(name).second)
            problems.push_back(problem(1, name, "the column is named twice"));
        else if (name == kPortColumn || name == kIdColumn)
            known[c] = true;
        else if (findSettingsField(name)) {
            known[c] = true;
            ++fields;
        } else
            problems.push_back(problem(1, name, "unknown column: no field has this name"));
    }
    if (fields == 0 && problems.size() == problemsBefore)
        problems.push_back(problem(1, "", "the header names no field of the settings"));

    for (std::size_t r = 1; r < records.rows.size(); ++r) {
        const std::vector<std::string>& cells = records.rows[r];
        if (allEmpty(cells))
            continue;
        SeriesRow row;
        row.row = static_cast<int>(r) + 1;
        if (cells.size() > table.header.size())
            problems.push_back(problem(row.row, "",
                                       std::to_string(cells.size()) + " cells under a header of " +
                                           std::to_string(table.header.size()) + " columns"));
        for (std::size_t c = 0; c < cells.size() && c < table.header.size(); ++c) {
            const std::string& name = table.header[c];
            if (!known[c])
                continue;
            if (name == kPortColumn)
                row.port = cells[c];
            else if (name == kIdColumn)
                row.id = cells[c];
            else if (!cells[c].empty())
                row.cells.push_back({static_cast<int>(c) + 1, name, cells[c]});
        }
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty()) {
        problems.push_back(problem(0, "", "the table has no row below its header"));
        return false;
    }
    return true;
}

std::vector<PlannedRow> PlanSeries(const SettingsRecord& base, const SeriesTable& table,
                                   std::string_view prefix, const std::string& defaultPort,
                                   const Texts& texts, std::vector<TableProblem>& problems) {
    std::vector<PlannedRow> planned;
    std::map<std::string, int> stations;
    std::map<std::string, int> ids;
    for (const SeriesRow& row : table.rows) {
        PlannedRow plan{row, base, {}};
        bool valuesRead = true;
        for (const SeriesCell& cell : row.cells) {
            if (cell.value.find_first_of("\r\n") != std::string::npos) {
                problems.push_back(
                    problem(row.row, cell.field, "a line break, which no field holds"));
                valuesRead = false;
                continue;
            }
            const SettingsField* field = findSettingsField(cell.field);
            const int width =
                field && field->kind() == FieldKind::Text ? FieldMaxWidth(field->base()) : 0;
            if (const std::size_t length = cp1250::utf8Length(cell.value);
                width > 0 && length > static_cast<std::size_t>(width)) {
                problems.push_back(problem(row.row, cell.field,
                                           std::to_string(length) +
                                               " characters, where the field takes at most " +
                                               std::to_string(width)));
                valuesRead = false;
                continue;
            }
            const SettingsTextResult parsed =
                ParseSettingsText(cell.field + "=" + cell.value, plan.settings);
            if (!parsed.ok) {
                std::string error = parsed.error;
                if (const std::size_t colon = error.find(": "); colon != std::string::npos)
                    error = error.substr(colon + 2);
                problems.push_back(problem(row.row, cell.field, error));
                valuesRead = false;
            }
        }
        if (!valuesRead)
            continue;
        rules::RecordCheck check = rules::CheckRecord(plan.settings, prefix, texts);
        for (const rules::Finding& finding : check.findings) {
            if (finding.rejected())
                problems.push_back(problem(row.row, finding.field,
                                           finding.message.key + " " + finding.message.text));
            else
                plan.replacements.push_back(finding.line());
        }
        if (check.rejected())
            continue;
        plan.settings = std::move(check.corrected);
        const std::string& station = plan.settings.tabJmenoStanice;
        if (const auto [at, fresh] = stations.emplace(station, row.row); !fresh)
            problems.push_back(problem(row.row, "tabJmenoStanice",
                                       "the station name '" + station + "' is also row " +
                                           std::to_string(at->second) + "'s"));
        if (!row.id.empty())
            if (const auto [at, fresh] = ids.emplace(row.id, row.row); !fresh)
                problems.push_back(problem(row.row, kIdColumn,
                                           "the id '" + row.id + "' is also row " +
                                               std::to_string(at->second) + "'s"));
        if (row.port.empty() && defaultPort.empty())
            problems.push_back(
                problem(row.row, kPortColumn, "no port: the row names none and none is given"));
        planned.push_back(std::move(plan));
    }
    if (!problems.empty())
        planned.clear();
    return planned;
}

} // namespace rq7

namespace rq7 {

bool RowAlreadyWritten(const std::vector<InstallationRecord>& records, const std::string& tablePath,
                       int row, const std::string& imageSha256) {
    for (const InstallationRecord& record : records)
        if (record.series && *record.series == tablePath && record.row == row &&
            record.result == InstallResult::Written && record.imageSha256 == imageSha256)
            return true;
    return false;
}

std::string RowFileStem(const SeriesRow& row, const std::string& station) {
    std::string stem = !row.id.empty()    ? row.id
                       : !station.empty() ? station
                                          : "row-" + std::to_string(row.row);
    for (char& c : stem)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '-';
    if (stem == "." || stem == "..")
        stem = "row-" + std::to_string(row.row);
    return stem;
}

} // namespace rq7
