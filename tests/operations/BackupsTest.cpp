#include "operations/Backups.h"

#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <ctime>
#include <gtest/gtest.h>

namespace rq7 {
namespace {

std::string nameAt(int minute, const std::string& model, const std::string& station,
                   int sequence = 1) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 0;
    when.tm_mday = 2;
    when.tm_hour = minute / 60;
    when.tm_min = minute % 60;
    return BackupFileName(when, model, station, sequence);
}

TEST(Backups, NamesCarryTimeModelAndStationAndListBack) {
    EXPECT_EQ(nameAt(61, "RQ7_01", "Sklad/Brno 2"), "2026-01-02_01-01-00Z_RQ7-01_Sklad-Brno-2.eep");
    EXPECT_EQ(nameAt(0, "RQ7", "", 3), "2026-01-02_00-00-00Z-3_RQ7.eep");

    test::TempDir dir;
    test::writeFile(dir / nameAt(61, "RQ7_01", "Chata_7"), "12345");
    test::writeFile(dir / nameAt(0, "RQ7", ""), "1");
    test::writeFile(dir / "poznamky.eep", "not a backup");
    test::writeFile(dir / "2026-01-02_00-00-00.eep", "no model");
    const std::vector<BackupEntry> list = ListBackups(dir.path());
    ASSERT_EQ(list.size(), 2u);
    std::tm local{};
    const std::time_t midnight = 1767312000; // 2026-01-02 00:00:00 UTC
    localtime_r(&midnight, &local);
    char shown[32];
    std::strftime(shown, sizeof shown, "%Y-%m-%d %H:%M:%S", &local);
    EXPECT_EQ(list[0].date, shown) << "shown in local time";
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

// Backups are listed and rotated in the order they were made, whatever the
// clock did; what only looks like a backup is the user's and stays.
TEST(Backups, OrderIsTheOrderMadeAndOnlyRealBackupsRotate) {
    test::TempDir dir;
    // Within one second: the first, then -2, then -10.
    for (const int sequence : {10, 1, 2})
        test::writeFile(dir / nameAt(5, "RQ7", "Chata", sequence),
                        std::string(static_cast<std::size_t>(sequence), 'x'));
    test::writeFile(dir / "2026-01-01_00-04-00_RQ7_Chata-2.eep", "older form, local time");
    for (const char* user : {"2019-13-45_12-00-00_RQ7.eep", "2026-02-30_12-00-00Z_RQ7.eep",
                             "2026-01-02_00-00-00Z-1_RQ7.eep", "2026-01-02_00-00-00Z-x_RQ7.eep"})
        test::writeFile(dir / user, "the user's");
    std::vector<std::string> sizes;
    for (const BackupEntry& entry : ListBackups(dir.path()))
        sizes.push_back(std::to_string(entry.size));
    EXPECT_EQ(sizes, (std::vector<std::string>{"22", "1", "2", "10"}));

    // The clock set back: the backup just made has the oldest name.
    const std::filesystem::path justMade = dir / nameAt(0, "RQ7", "Chata");
    test::writeFile(justMade, "new");
    RotateBackups(dir.path(), "RQ7", 2, justMade);
    std::vector<std::string> left;
    for (const BackupEntry& entry : ListBackups(dir.path()))
        left.push_back(entry.path.filename().string());
    EXPECT_EQ(left, (std::vector<std::string>{justMade.filename().string(),
                                              nameAt(5, "RQ7", "Chata", 10)}));
    for (const char* user : {"2019-13-45_12-00-00_RQ7.eep", "2026-02-30_12-00-00Z_RQ7.eep"})
        EXPECT_TRUE(std::filesystem::exists(dir / user)) << user;
}

// A long station name is shortened to keep the name within the system's
// limit, never inside a character.
TEST(Backups, ALongStationStillMakesAName) {
    std::string station;
    for (int i = 0; i < 200; ++i)
        station += "\u017d";
    const std::string name = nameAt(0, "RQ7", station, 12);
    EXPECT_LE(name.size(), 240u);
    EXPECT_EQ(name.substr(name.size() - 6), "\u017d.eep");
    test::TempDir dir;
    test::writeFile(dir / name, "x");
    ASSERT_EQ(ListBackups(dir.path()).size(), 1u);
    EXPECT_EQ(ListBackups(dir.path())[0].station.substr(0, 4), "\u017d\u017d");
}

} // namespace
} // namespace rq7
