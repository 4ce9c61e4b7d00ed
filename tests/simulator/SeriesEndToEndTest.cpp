// rq7ctl series against three rq7-sim devices, one too small for the
// settings: every row's device, its record, --resume, and a table with a
// bad cell that opens no port.

#include "SimProcess.h"
#include "operations/InstallationLog.h"
#include "tests/support/Files.h"
#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"
#include "ui/language/catalogue/Texts.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace rq7;
using namespace rq7::sim::testing;
using namespace rq7::test;

namespace {

// The summary's result column by row number.
std::map<int, std::string> results(const std::string& summary) {
    std::map<int, std::string> byRow;
    std::istringstream lines(summary);
    std::string line;
    std::getline(lines, line); // heading
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream split(line);
        for (std::string cell; std::getline(split, cell, '\t');)
            cells.push_back(cell);
        if (cells.size() >= 6)
            byRow[std::stoi(cells[0])] = cells[4] + " " + cells[5].substr(0, 6);
    }
    return byRow;
}

} // namespace

TEST(SeriesEndToEnd, ProgramsEveryRowsDeviceAndRecordsEachWrite) {
    TempDir dir;
    ::setenv("RQ7_BACKUP_DIR", (dir / "backups").c_str(), 1);
    ::setenv("RQ7_LOG_DIR", (dir / "log").c_str(), 1);
    const std::string base = dir / "base.eep";
    dir.write("base.txt", "tabJmenoStanice=Base\ntabPIN=1234\ntabTC(1)=+420607000000\n");
    ASSERT_EQ(runRq7ctl({"build", dir / "base.txt", "-o", base}).exitCode, 0);

    SimProcess sims[3];
    std::string error;
    ASSERT_TRUE(sims[0].start({}, error)) << error;
    ASSERT_TRUE(sims[1].start({}, error)) << error;
    ASSERT_TRUE(sims[2].start({"--memory", "0"}, error)) << error; // 128 bytes
    const std::string rows = "A1;" + sims[0].ptyPath() + ";Chata 7;1111\nA2;" + sims[1].ptyPath() +
                             ";\"Chata; 8\";\nA3;" + sims[2].ptyPath() + ";Chata 9;3333\n";

    // One bad cell: nothing is opened, the row and column are named.
    const std::string bad = dir.write("bad.csv", "id;port;tabJmenoStanice;tabPIN\n" + rows + "A4;" +
                                                     sims[0].ptyPath() + ";Chata 10;12x4\n");
    const ProgramResult refused = runRq7ctl({"series", base, bad, "--no-prompt"});
    EXPECT_EQ(refused.exitCode, 2) << refused.err;
    EXPECT_NE(refused.err.find("row 5, tabPIN: msg045"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find(Texts{}.get("msg026")), std::string::npos) << "no device asked";
    EXPECT_FALSE(std::filesystem::exists(dir / "log")) << "no record, no write";

    const std::string table = dir.write("devices.csv", "id;port;tabJmenoStanice;tabPIN\n" + rows);
    const ProgramResult series = runRq7ctl({"series", base, table, "--no-prompt"});
    EXPECT_EQ(series.exitCode, 1) << series.err;
    const std::map<int, std::string> expected = {
        {2, "written msg023"}, {3, "written msg023"}, {4, "failed msg018"}};
    EXPECT_EQ(results(series.out), expected) << series.out;

    std::vector<InstallationRecord> records;
    int skipped = 0;
    ASSERT_TRUE(ReadInstallations(dir / "log", records, skipped, error)) << error;
    ASSERT_EQ(records.size(), 3u);
    const std::pair<const char*, const char*> held[] = {{"Chata 7", "1111"}, {"Chata; 8", "1234"}};
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(held[n].first);
        const std::string read = dir / ("read" + std::to_string(n) + ".eep");
        ASSERT_EQ(runRq7ctl({"read", "--port", sims[n].ptyPath(), "-o", read}).exitCode, 0);
        const ProgramResult dump = runRq7ctl({"dump", read});
        EXPECT_NE(dump.out.find(std::string("tabJmenoStanice=") + held[n].first + "\n"),
                  std::string::npos);
        EXPECT_NE(dump.out.find(std::string("tabPIN=") + held[n].second + "\n"), std::string::npos);
        EXPECT_NE(dump.out.find("tabTC(1)=+420607000000\n"), std::string::npos) << "from the base";
        EXPECT_EQ(records[n].row, n + 2);
        EXPECT_EQ(records[n].result, InstallResult::Written);
        EXPECT_EQ(records[n].imageSha256, Sha256Hex(readFile(read)));
    }
    EXPECT_EQ(records[2].result, InstallResult::Failed);
    EXPECT_EQ(records[2].detail.substr(0, 6), "msg018");

    // Resumed: the written rows are skipped, the failed one is tried again.
    const ProgramResult resumed = runRq7ctl({"series", base, table, "--no-prompt", "--resume"});
    EXPECT_EQ(resumed.exitCode, 1) << resumed.err;
    EXPECT_EQ(results(resumed.out),
              (std::map<int, std::string>{
                  {2, "skipped alread"}, {3, "skipped alread"}, {4, "failed msg018"}}));
    ASSERT_TRUE(ReadInstallations(dir / "log", records, skipped, error)) << error;
    EXPECT_EQ(records.size(), 4u);
    for (SimProcess& sim : sims)
        EXPECT_EQ(sim.stop(), 0) << sim.errorOutput();
}
