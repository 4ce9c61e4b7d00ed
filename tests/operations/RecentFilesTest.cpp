#include "operations/RecentFiles.h"

#include "tests/support/Files.h"
#include "tests/support/MemoryStore.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace rq7 {
namespace {

// Newest first, each file once, at most kRecentFileCount, vanished files
// dropped from the list and the store; a name with a line break is not kept.
TEST(RecentFiles, NewestFirstOnceEachAndOnlyThoseStillThere) {
    test::TempDir dir;
    test::MemoryStore store;
    std::vector<std::string> paths;
    for (std::size_t n = 0; n < kRecentFileCount + 2; ++n) {
        paths.push_back((dir / ("f" + std::to_string(n) + ".eep")).string());
        test::writeFile(paths.back(), "x");
        RememberRecentFile(store, paths.back());
    }
    RememberRecentFile(store, paths[5]);                    // again: to the front
    RememberRecentFile(store, (dir / "a\nb.eep").string()); // not kept
    std::filesystem::remove(paths[8]);                      // vanished
    const std::vector<std::string> expected = {paths[5], paths[9], paths[7], paths[6],
                                               paths[4], paths[3], paths[2]};
    EXPECT_EQ(ReadRecentFiles(store), expected);
    const std::vector<std::string> stored = ReadRecentFiles(store);
    EXPECT_EQ(stored, expected) << "the vanished file stays dropped";
    ForgetRecentFile(store, paths[9]);
    EXPECT_EQ(ReadRecentFiles(store).at(1), paths[7]);
    store.broken = true;
    EXPECT_TRUE(ReadRecentFiles(store).empty());
}

} // namespace
} // namespace rq7
