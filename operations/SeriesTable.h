#pragma once
// The table of a series: one base settings file, and per device a row of
// the values that differ. The table is CSV as spreadsheets save it:
//
//   id;port;tabJmenoStanice;tabPIN;tabTC(0)
//   A-01;/dev/ttyUSB0;Chata 7;1234;+420601111111
//   A-02;/dev/ttyUSB1;Chata 8;;+420602222222
//
// - separator "," or ";" (the one the header line uses more often, outside
//   quotes), cells quoted with '"' ("" for a quote inside), line ends LF or
//   CRLF; UTF-8 with or without a byte-order mark, else Windows-1250;
// - the header names fields exactly as the settings text does ("tabPIN",
//   "tabTC(0)"); "port" names the row's port and "id" the row;
// - an empty cell keeps the base value.
// Rows are numbered as a spreadsheet numbers them: the header is row 1.
//
// Everything is checked before any device is touched (PlanSeries): every
// cell through the field rules and the image writer as rq7ctl check does,
// unknown columns, duplicate station names and ids.

#include "settings/SettingsRecord.h"
#include "ui/language/catalogue/Texts.h"

#include <string>
#include <string_view>
#include <vector>

namespace rq7 {

inline constexpr const char* kPortColumn = "port";
inline constexpr const char* kIdColumn = "id";

struct SeriesCell {
    int column = 0; // 1-based, as the header counts it
    std::string field;
    std::string value; // UTF-8
};

struct SeriesRow {
    int row = 0; // the table's row, header = 1
    std::string id;
    std::string port;
    std::vector<SeriesCell> cells; // the non-empty field cells
};

struct SeriesTable {
    std::vector<std::string> header;
    std::vector<SeriesRow> rows;
    char separator = ',';
    bool windows1250 = false; // the bytes were not UTF-8
};

// One problem found before any device was touched.
struct TableProblem {
    int row = 0;        // 0: the table as a whole
    std::string column; // header name, or "" for the whole row
    std::string text;   // "msg040 …" for a field rule, else a plain sentence

    // "row 3, tabPIN: …", "row 3: …" or the text alone.
    std::string line() const;
};

// Reads the table's bytes; every problem goes into `problems`. False when
// its rows cannot be read at all: not CSV (binary bytes, a broken quote), no
// header, no row. Unknown, unnamed or repeated columns, a header naming no
// field and a row with more cells than the header are problems whose rows
// are still read (without those cells), so that one run lists them all.
bool ReadSeriesTable(std::string_view bytes, SeriesTable& table,
                     std::vector<TableProblem>& problems);

struct PlannedRow {
    SeriesRow source;
    SettingsRecord settings;               // the base with the row's values, checked
    std::vector<std::string> replacements; // "tabTC(0)=+420…": what the rules completed
};

// Every row's settings over `base`, each through the settings text's value
// rules, the field rules and the image writer (rq7ctl check, telephone
// prefix `prefix`), the replacements those rules make applied; duplicate
// station names and ids, and rows without a port when `defaultPort` is
// empty, are problems too. The rows come back only when there is no
// problem at all.
std::vector<PlannedRow> PlanSeries(const SettingsRecord& base, const SeriesTable& table,
                                   std::string_view prefix, const std::string& defaultPort,
                                   const Texts& texts, std::vector<TableProblem>& problems);

} // namespace rq7

namespace rq7 {

struct InstallationRecord;

// True when `records` show row `row` of the table `tablePath` written with
// the image whose SHA-256 is `imageSha256` (what --resume skips).
bool RowAlreadyWritten(const std::vector<InstallationRecord>& records, const std::string& tablePath,
                       int row, const std::string& imageSha256);

// A file name for a row's own files (its PDF report): the id, else the
// station, else "row-N", with every character a file name cannot carry
// replaced by "-".
std::string RowFileStem(const SeriesRow& row, const std::string& station);

} // namespace rq7
