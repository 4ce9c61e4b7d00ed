#include "files/WholeFile.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // A named pipe without a writer would block an open for reading.
    const std::string fifo = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(files::readWholeFile(fifo, bytes, reason), FileRead::Failed);
    EXPECT_EQ(reason, "not a regular file");
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
    EXPECT_NE(error.find("cannot replace " + below), std::string::npos) << error;
    EXPECT_EQ(entries(dir), 1);
}

TEST(ReplaceFile, RefusesTargetsThatAreNotRegularFiles) {
    test::TempDir dir;
    const std::string fifo = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    fs::create_symlink(dir / "pipe", dir / "to-pipe");
    fs::create_symlink(dir / "none", dir / "dangling");
    for (const char* name : {"pipe", "folder", "to-pipe", "dangling"}) {
        std::string error;
        EXPECT_FALSE(files::replaceFile((dir / name).string(), "x", error)) << "case: " << name;
        EXPECT_NE(error.find("refusing"), std::string::npos) << "case: " << name << ": " << error;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_FALSE(fs::exists(dir / "none"));
    EXPECT_EQ(entries(dir), 4);
}

TEST(ReplaceFile, WritesThroughOnlyLinksNoOtherUserCanHavePlanted) {
    test::TempDir dir;
    const fs::path shared = dir / "shared";
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    const fs::path target = dir.write("own.eep", "mine");
    const fs::path link = shared / "link.eep";
    fs::create_symlink(target, link);
    std::string error;
    ASSERT_TRUE(files::replaceFile(link.string(), "through", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readFile(target), "through");

    if (::geteuid() != 0)
        GTEST_SKIP() << "handing a link to another user needs the superuser";
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(files::replaceFile(link.string(), "planted", error));
    EXPECT_NE(error.find("belongs to another user"), std::string::npos) << error;
    EXPECT_EQ(test::readFile(target), "through");
    // The same link in a folder of its own owner's is followed.
    ::chmod(shared.c_str(), 0755);
    EXPECT_TRUE(files::replaceFile(link.string(), "private", error)) << error;
    EXPECT_EQ(test::readFile(target), "private");
}

TEST(ReplaceFile, KeepsTheModeAndOwnerOfAReplacedFile) {
    test::TempDir dir;
    const fs::path path = dir.write("pin.eep", "old");
    ::chmod(path.c_str(), 0600);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    std::string error;
    ASSERT_TRUE(files::replaceFile(path.string(), "new", error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
    }
}

// Writes past a file-size limit with the signal's default action, which
// would end the process before replaceFile could clean up; exits 0 when the
// write failed as an error instead.
[[noreturn]] void replaceBeyondTheSizeLimit(const std::string& path) {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 10;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool ok = files::replaceFile(path, std::string(100, 'n'), error);
    std::_Exit(!ok && error.find("File too large") != std::string::npos ? 0 : 1);
}

TEST(ReplaceFile, AFileSizeLimitIsAnErrorNotTheEndOfTheProgram) {
    test::TempDir dir;
    const std::string path = (dir / "f.eep").string();
    EXPECT_EXIT(replaceBeyondTheSizeLimit(path), testing::ExitedWithCode(0), "");
    EXPECT_EQ(entries(dir), 0);
}

} // namespace
