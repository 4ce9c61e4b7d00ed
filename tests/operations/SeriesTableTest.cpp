// A series table as spreadsheets save it, and the checks every row passes
// before any device is touched.

#include "operations/SeriesTable.h"

#include <gtest/gtest.h>

namespace rq7 {
namespace {

struct Cells {
    std::string id, port, station, pin;
};

// The table's rows as id, port and the two field cells.
std::vector<Cells> cellsOf(const SeriesTable& table) {
    std::vector<Cells> rows;
    for (const SeriesRow& row : table.rows) {
        Cells cells{row.id, row.port, "", ""};
        for (const SeriesCell& cell : row.cells)
            (cell.field == "tabPIN" ? cells.pin : cells.station) = cell.value;
        rows.push_back(cells);
    }
    return rows;
}

TEST(SeriesTable, ReadsWhatSpreadsheetsWrite) {
    struct Case {
        const char* name;
        std::string bytes;
        char separator;
        bool windows1250;
    };
    // Station names with what each form has to carry: the other separator,
    // a quote, a Czech letter.
    const Case cases[] = {
        {"commas, LF", "id,port,tabJmenoStanice,tabPIN\nA1,/dev/p1,Chata; 7,1111\nA2,,Dům,\n", ',',
         false},
        {"semicolons, CRLF, BOM",
         "\xEF\xBB\xBFid;port;tabJmenoStanice;tabPIN\r\nA1;/dev/p1;\"Chata; "
         "7\";1111\r\nA2;;Dům;\r\n",
         ';', false},
        {"quoted cells",
         "id;port;tabJmenoStanice;tabPIN\n\"A1\";\"/dev/p1\";\"Chata; "
         "7\";\"1111\"\nA2;;\"Dům\";\"\"\n",
         ';', false},
        {"Windows-1250, trailing empty rows",
         "id;port;tabJmenoStanice;tabPIN\r\nA1;/dev/p1;\"Chata; 7\";1111\r\nA2;;D\xF9m;\r\n;;;\r\n",
         ';', true},
    };
    const std::vector<Cells> expected = {{"A1", "/dev/p1", "Chata; 7", "1111"},
                                         {"A2", "", "Dům", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesTable table;
        std::vector<TableProblem> problems;
        ASSERT_TRUE(ReadSeriesTable(c.bytes, table, problems));
        EXPECT_TRUE(problems.empty()) << problems.front().line();
        EXPECT_EQ(table.separator, c.separator);
        EXPECT_EQ(table.windows1250, c.windows1250);
        const std::vector<Cells> rows = cellsOf(table);
        ASSERT_EQ(rows.size(), expected.size());
        for (std::size_t r = 0; r < rows.size(); ++r) {
            EXPECT_EQ(rows[r].id, expected[r].id) << "row " << r;
            EXPECT_EQ(rows[r].port, expected[r].port) << "row " << r;
            EXPECT_EQ(rows[r].station, expected[r].station) << "row " << r;
            EXPECT_EQ(rows[r].pin, expected[r].pin) << "row " << r;
        }
        EXPECT_EQ(table.rows.back().row, 3) << "rows counted as the spreadsheet counts them";
    }
}

TEST(SeriesTable, NamesEveryProblemByRowAndColumnBeforeAnyDevice) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string port; // --port
        std::vector<std::string> problems;
    };
    const Case cases[] = {
        {"good", "tabJmenoStanice,tabPIN\nA,1234\nB,\n", "p", {}},
        {"binary", std::string("\x01\x02\x03", 3), "p", {"0:"}},
        {"broken quote", "tabJmenoStanice\n\"A\n", "p", {"2:"}},
        {"empty", "", "p", {"0:"}},
        {"no rows", "tabJmenoStanice\n", "p", {"0:"}},
        {"header of no field", "name,pin\nA,1\n", "p", {"1:name", "1:pin"}},
        {"unknown column beside good ones", "tabJmenoStanice,colour\nA,red\n", "p", {"1:colour"}},
        {"column twice", "tabPIN,tabPIN\n1,2\n", "p", {"1:tabPIN"}},
        {"too many cells", "tabJmenoStanice\nA,B\n", "p", {"2:"}},
        {"cell too long", "tabJmenoStanice,tabPIN\nA,123456789\n", "p", {"2:tabPIN"}},
        {"wrong class", "tabJmenoStanice,tabPIN\nA,12a4\n", "p", {"2:tabPIN"}},
        {"flag value", "tabJmenoStanice,tabTCPoplach(0)\nA,yes\n", "p", {"2:tabTCPoplach(0)"}},
        {"duplicate station", "tabJmenoStanice\nA\nB\nA\n", "p", {"4:tabJmenoStanice"}},
        {"duplicate id", "id,tabJmenoStanice\nx,A\nx,B\n", "p", {"3:id"}},
        {"no port", "port,tabJmenoStanice\n/dev/a,A\n,B\n", "", {"3:port"}},
    };
    const Texts texts;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesTable table;
        std::vector<TableProblem> problems;
        std::vector<PlannedRow> rows;
        if (ReadSeriesTable(c.bytes, table, problems))
            rows = PlanSeries(SettingsRecord{}, table, "+420", c.port, texts, problems);
        std::vector<std::string> found;
        for (const TableProblem& p : problems)
            found.push_back(std::to_string(p.row) + ":" + p.column);
        EXPECT_EQ(found, c.problems);
        EXPECT_EQ(rows.empty(), !c.problems.empty()) << "rows only from a table without problems";
    }
}

TEST(SeriesTable, RowsAreTheBaseWithTheirCellsAndTheRulesReplacements) {
    SettingsRecord base;
    base.tabJmenoStanice = "Base";
    base.tabPIN = "9999";
    base.rtReCall = "kept";
    SeriesTable table;
    std::vector<TableProblem> problems;
    ASSERT_TRUE(
        ReadSeriesTable("tabJmenoStanice;tabPIN;tabTC(0)\nA;;601111111\n", table, problems));
    const std::vector<PlannedRow> rows = PlanSeries(base, table, "+420", "p", Texts{}, problems);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].settings.tabJmenoStanice, "A");
    EXPECT_EQ(rows[0].settings.tabPIN, "9999") << "an empty cell keeps the base value";
    EXPECT_EQ(rows[0].settings.rtReCall, "kept");
    EXPECT_EQ(rows[0].settings.tabTC[0], "+420601111111") << "completed as the window would";
    EXPECT_EQ(rows[0].replacements, std::vector<std::string>{"tabTC(0)=+420601111111"});
}

} // namespace
} // namespace rq7
