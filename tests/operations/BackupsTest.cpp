#include "operations/Backups.h"

#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace rq7 {
namespace {

std::string nameAt(int minute, const std::string& model, const std::string& station) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 0;
    when.tm_mday = 2;
    when.tm_hour = minute / 60;
    when.tm_min = minute % 60;
    return BackupFileName(when, model, station);
}

TEST(Backups, NamesCarryTimeModelAndStationAndListBack) {
    EXPECT_EQ(nameAt(61, "RQ7_01", "Sklad/Brno 2"), "2026-01-02_01-01-00_RQ7-01_Sklad-Brno-2.eep");
    EXPECT_EQ(nameAt(0, "RQ7", ""), "2026-01-02_00-00-00_RQ7.eep");

    test::TempDir dir;
    test::writeFile(dir / nameAt(61, "RQ7_01", "Chata_7"), "12345");
    test::writeFile(dir / nameAt(0, "RQ7", ""), "1");
    test::writeFile(dir / "poznamky.eep", "not a backup");
    test::writeFile(dir / "2026-01-02_00-00-00.eep", "no model");
    const std::vector<BackupEntry> list = ListBackups(dir.path());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].date, "2026-01-02 00:00:00");
    EXPECT_EQ(list[0].model, "RQ7");
    EXPECT_EQ(list[0].station, "");
    EXPECT_EQ(list[1].model, "RQ7-01");
    EXPECT_EQ(list[1].station, "Chata-7");
    EXPECT_EQ(list[1].size, 5u);
    EXPECT_TRUE(ListBackups(dir / "missing").empty());
}

TEST(Backups, RotationKeepsTheNewest50OfTheModel) {
    test::TempDir dir;
    for (int minute = 0; minute < 53; ++minute)
        test::writeFile(dir / nameAt(minute, "RQ7", "Chata"), "x");
    test::writeFile(dir / nameAt(0, "RQ7_04", ""), "other model");
    test::writeFile(dir / "poznamky.eep", "not a backup");

    RotateBackups(dir.path(), "RQ7");
    int rq7 = 0;
    for (const BackupEntry& entry : ListBackups(dir.path()))
        rq7 += entry.model == "RQ7";
    EXPECT_EQ(rq7, kBackupsKept);
    for (int minute : {0, 1, 2})
        EXPECT_FALSE(std::filesystem::exists(dir / nameAt(minute, "RQ7", "Chata"))) << minute;
    EXPECT_TRUE(std::filesystem::exists(dir / nameAt(3, "RQ7", "Chata")));
    EXPECT_TRUE(std::filesystem::exists(dir / nameAt(0, "RQ7_04", "")));
    EXPECT_TRUE(std::filesystem::exists(dir / "poznamky.eep"));
}

} // namespace
} // namespace rq7
