#include "files/WholeFile.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace rq7;
using files::FileRead;

namespace {

long entries(const test::TempDir& dir) {
    return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
}

TEST(ReadWholeFile, ReadsUpToOneByteOverTheLimit) {
    test::TempDir dir;
    std::string contents;
    for (int i = 0; i < 10000; ++i)
        contents += static_cast<char>(i * 7);
    const std::string path = dir.write("data.bin", contents);
    const struct {
        const char* name;
        std::size_t limit;
        std::size_t read;
    } cases[] = {
        {"no limit", std::numeric_limits<std::size_t>::max() - 1, 10000},
        {"limit above the size", 20000, 10000},
        {"limit at the size", 10000, 10000},
        {"limit below the size", 5000, 5001},
        {"limit zero", 0, 1},
    };
    for (const auto& c : cases) {
        std::string bytes = "stale";
        std::string reason;
        ASSERT_EQ(files::readWholeFile(path, bytes, reason, c.limit), FileRead::Read)
            << "case: " << c.name << ": " << reason;
        EXPECT_EQ(bytes, contents.substr(0, c.read)) << "case: " << c.name;
    }
}

TEST(ReadWholeFile, TellsMissingFromUnreadable) {
    test::TempDir dir;
    std::string bytes = "stale";
    std::string reason;
    EXPECT_EQ(files::readWholeFile((dir / "none").string(), bytes, reason), FileRead::Missing);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(files::readWholeFile(dir.str(), bytes, reason), FileRead::Failed);
    EXPECT_EQ(reason, "not a regular file");
    dir.write("file", "x");
    EXPECT_EQ(files::readWholeFile((dir / "file" / "below").string(), bytes, reason),
              FileRead::Failed)
        << "a path through a file";
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(bytes, "");
}

TEST(ReplaceFile, WritesNewAndReplacesOldFiles) {
    test::TempDir dir;
    const std::string path = (dir / "f.eep").string();
    std::string error;
    for (const std::string& contents :
         {std::string("first"), std::string(70000, 'y'), std::string()}) {
        ASSERT_TRUE(files::replaceFile(path, contents, error)) << error;
        EXPECT_EQ(test::readFile(path), contents) << "case: " << contents.size() << " bytes";
        EXPECT_EQ(entries(dir), 1) << "case: " << contents.size() << " bytes";
    }
    // Readable as the umask allows, not only by its owner.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));
}

TEST(ReplaceFile, AFailureKeepsTheOldFileAndLeavesNothingBehind) {
    test::TempDir dir;
    const std::string path = (dir / "f.eep").string();
    dir.write("f.eep", "old contents");
    std::string error;
    {
        test::FileSizeLimit limit(10);
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(files::replaceFile(path, std::string(100, 'n'), error));
    }
    EXPECT_NE(error.find("cannot write " + path), std::string::npos) << error;
    EXPECT_EQ(test::readFile(path), "old contents");
    EXPECT_EQ(entries(dir), 1);

    const std::string below = (dir / "f.eep" / "g.eep").string();
    EXPECT_FALSE(files::replaceFile(below, "x", error));
    EXPECT_NE(error.find("cannot create a temporary file beside " + below), std::string::npos)
        << error;
    EXPECT_EQ(entries(dir), 1);
}

} // namespace
