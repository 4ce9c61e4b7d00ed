#include "operations/SettingsFile.h"

#include "settings/EepromImage.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace rq7 {
namespace {

// An image whose byte i is (i * 7 + 3) mod 256, so misplaced bytes show.
EepromImage patternedImage() {
    EepromImage image;
    for (long i = 0; i < EepromImage::kSize; ++i)
        image.SetImageByte((i * 7 + 3) % 256, i);
    return image;
}

std::string imageBytes(const EepromImage& image, long count) {
    return std::string(reinterpret_cast<const char*>(image.data()),
                       static_cast<std::size_t>(count));
}

struct Harness {
    test::ScriptedPrompter prompter;
    test::RecordingStatus status;
    Texts texts;
};

TEST(SavedFileLength, IsTheSettingsSizeLessOneAndAtLeastOne) {
    const struct {
        int size;
        int length;
    } cases[] = {{300, 299}, {150, 149}, {3, 2}, {2, 1}, {1, 1}, {0, 1}, {-5, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(SavedFileLength(c.size), c.length) << "case: size " << c.size;
}

TEST(SaveImageFile, WritesTheUsedImageBytes) {
    const struct {
        int size;
        long length;
    } cases[] = {{300, 299}, {0, 1}, {1, 1}, {65537, 65536}};
    const EepromImage image = patternedImage();
    for (const auto& c : cases) {
        test::TempDir dir;
        Harness h;
        const std::string path = (dir / "a.eep").string();
        EXPECT_EQ(SaveImageFile(path, image, c.size, h.prompter, h.status, h.texts),
                  FileWrite::Written)
            << "case: size " << c.size;
        EXPECT_EQ(test::readFile(path), imageBytes(image, c.length)) << "case: size " << c.size;
        EXPECT_TRUE(h.prompter.asked.empty()) << "case: size " << c.size;
        EXPECT_EQ(h.status.events,
                  (std::vector<std::string>{
                      "quiet:Ukl\u00e1d\u00e1m nastaven\u00ed do souboru " + path, "hide"}))
            << "case: size " << c.size;
        // Nothing but the file itself is left in the directory.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1)
            << "case: size " << c.size;
    }
}

TEST(SaveImageFile, ImageLargerThanTheBufferIsNotWritten) {
    test::TempDir dir;
    Harness h;
    const std::string path = (dir / "a.eep").string();
    EXPECT_EQ(SaveImageFile(path, EepromImage{}, 65538, h.prompter, h.status, h.texts),
              FileWrite::Failed);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SaveImageFile, AsksBeforeReplacingAnExistingFile) {
    const EepromImage image = patternedImage();
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        const bool yes = answer == Answer::Yes;
        test::TempDir dir;
        Harness h;
        const auto path = dir / "old.eep";
        test::writeFile(path, "old contents");
        std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_write |
                                               std::filesystem::perms::group_read);
        h.prompter.answers.push_back(answer);

        EXPECT_EQ(SaveImageFile(path.string(), image, 300, h.prompter, h.status, h.texts),
                  yes ? FileWrite::Written : FileWrite::Declined)
            << "case: yes=" << yes;
        ASSERT_EQ(h.prompter.asked.size(), 1u) << "case: yes=" << yes;
        const Message& q = h.prompter.asked[0];
        EXPECT_EQ(q.key, "msg035");
        EXPECT_EQ(q.text, h.texts.get("msg035") + "\n" + path.string()) << "names the file";
        EXPECT_EQ(q.icon, Icon::Question);
        EXPECT_EQ(q.buttons, Buttons::YesNo);
        EXPECT_EQ(test::readFile(path), yes ? imageBytes(image, 299) : "old contents")
            << "case: yes=" << yes;
        // Declining shows no status window either.
        EXPECT_EQ(h.status.events.size(), yes ? 2u : 0u) << "case: yes=" << yes;
        if (yes) { // the replacement keeps the old file's permissions
            EXPECT_EQ(std::filesystem::status(path).permissions(),
                      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                          std::filesystem::perms::group_read);
        }
    }
}

TEST(SaveImageFile, ThroughALinkReplacesTheLinkedFile) {
    test::TempDir dir;
    Harness h;
    test::writeFile(dir / "real.eep", "old");
    std::filesystem::create_symlink(dir / "real.eep", dir / "link.eep");
    h.prompter.answers.push_back(Answer::Yes);
    const EepromImage image = patternedImage();
    EXPECT_EQ(SaveImageFile((dir / "link.eep").string(), image, 10, h.prompter, h.status, h.texts),
              FileWrite::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.eep"));
    EXPECT_EQ(test::readFile(dir / "real.eep"), imageBytes(image, 9));
}

// A write that cannot complete leaves the old file as it was and no
// temporary file behind.
void expectOldFileKept(const test::TempDir& dir, const std::filesystem::path& path,
                       const char* name) {
    EXPECT_EQ(test::readFile(path), "old contents") << "case: " << name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "case: " << name;
}

// A file-size limit makes the write fail for any user: at the first byte,
// or part-way through a settings image longer than the limit.
TEST(SaveImageFile, FailedWriteKeepsTheOldFile) {
    const struct {
        const char* name;
        rlim_t limit;
        long settingsSize;
    } cases[] = {
        {"nothing can be written", 0, 300},
        {"write cut short", 100, 5000},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        Harness h;
        const auto path = dir / "old.eep";
        test::writeFile(path, "old contents");
        h.prompter.answers.push_back(Answer::Yes);
        FileWrite result;
        {
            test::FileSizeLimit limit(c.limit);
            ASSERT_TRUE(limit.ok()) << "case: " << c.name;
            result = SaveImageFile(path.string(), patternedImage(), c.settingsSize, h.prompter,
                                   h.status, h.texts);
        }
        EXPECT_EQ(result, FileWrite::Failed) << "case: " << c.name;
        EXPECT_FALSE(h.status.visible) << "case: " << c.name;
        expectOldFileKept(dir, path, c.name);
    }
}

// Left-over temporary files of earlier saves never block a save; a target
// that is no regular file is refused and stays what it was.
TEST(SaveImageFile, ReplacesOnlyRegularFilesWhateverLiesBeside) {
    test::TempDir dir;
    for (int i = 0; i < 100; ++i)
        test::writeFile(dir / (".a.eep.part" + std::to_string(i)), "stale");
    Harness h;
    WrittenSettingsFile detail;
    ASSERT_EQ(SaveImageFile((dir / "a.eep").string(), patternedImage(), 10, h.prompter, h.status,
                            h.texts, &detail),
              FileWrite::Written)
        << detail.detail;
    EXPECT_EQ(test::readFile(dir / "a.eep"), imageBytes(patternedImage(), 9));

    const auto fifo = dir / "pipe.eep";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    h.prompter.answers.push_back(Answer::Yes);
    EXPECT_EQ(
        SaveImageFile(fifo.string(), patternedImage(), 10, h.prompter, h.status, h.texts, &detail),
        FileWrite::Failed);
    EXPECT_NE(detail.detail.find("not a regular file"), std::string::npos) << detail.detail;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              102);
}

TEST(SaveImageFile, MissingDirectoryFails) {
    test::TempDir dir;
    Harness h;
    EXPECT_EQ(SaveImageFile((dir / "no" / "a.eep").string(), patternedImage(), 300, h.prompter,
                            h.status, h.texts),
              FileWrite::Failed);
    EXPECT_TRUE(h.prompter.asked.empty());
    EXPECT_FALSE(h.status.visible);
}

TEST(OpenSettingsFile, StoresTheFileFromAddressZeroAndKeepsTheRest) {
    const struct {
        const char* name;
        long length;
        SettingsFileOpen outcome;
    } cases[] = {
        {"empty", 0, SettingsFileOpen::Empty},
        {"one byte", 1, SettingsFileOpen::NoImage},
        {"299 bytes", 299, SettingsFileOpen::NoImage},
        {"whole image", 65536, SettingsFileOpen::NoImage},
        {"one byte too long", 65537, SettingsFileOpen::TooLarge},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        Harness h;
        std::string contents;
        for (long i = 0; i < c.length; ++i)
            contents += static_cast<char>((i * 13 + 1) % 256);
        const auto path = dir / "in.eep";
        test::writeFile(path, contents);
        EepromImage image = patternedImage();
        const EepromImage before = image;

        const SettingsFileStatus status{h.status, h.texts};
        const OpenedSettingsFile file = OpenSettingsFile(path.string(), image, {}, {}, &status);
        EXPECT_EQ(file.outcome, c.outcome) << "case: " << c.name;
        // A refused file leaves the image alone.
        const long stored = c.outcome == SettingsFileOpen::NoImage ? c.length : 0;
        EXPECT_EQ(file.length, stored) << "case: " << c.name;
        for (long i = 0; i < EepromImage::kSize; ++i) {
            const int expected = i < stored ? (i * 13 + 1) % 256 : *before.GetImageByte(i);
            if (*image.GetImageByte(i) != expected) {
                ADD_FAILURE() << "case: " << c.name << ": byte " << i;
                break;
            }
        }
        EXPECT_EQ(h.status.events, (std::vector<std::string>{
                                       "quiet:Na\u010d\u00edt\u00e1m nastaven\u00ed ze souboru " +
                                           path.string() + ".",
                                       "hide"}))
            << "case: " << c.name;
    }
}

TEST(OpenSettingsFile, UnreadablePathFailsWithoutTouchingTheImage) {
    test::TempDir dir;
    const auto fifo = dir / "pipe.eep";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); // would block an ordinary open
    for (const auto& path : {dir / "missing.eep", dir.path(), fifo}) {
        Harness h;
        EepromImage image = patternedImage();
        const SettingsFileStatus status{h.status, h.texts};
        const SettingsFileOpen outcome =
            OpenSettingsFile(path.string(), image, {}, {}, &status).outcome;
        EXPECT_TRUE(outcome == SettingsFileOpen::Missing || outcome == SettingsFileOpen::Unreadable)
            << "case: " << path;
        EXPECT_EQ(imageBytes(image, EepromImage::kSize),
                  imageBytes(patternedImage(), EepromImage::kSize))
            << "case: " << path;
        EXPECT_FALSE(h.status.visible) << "case: " << path;
    }
}

TEST(SettingsFile, SaveThenLoadReproducesTheUsedBytes) {
    test::TempDir dir;
    Harness h;
    const EepromImage saved = patternedImage();
    const auto path = (dir / "r.eep").string();
    ASSERT_EQ(SaveImageFile(path, saved, 1000, h.prompter, h.status, h.texts), FileWrite::Written);
    EepromImage loaded;
    ASSERT_EQ(OpenSettingsFile(path, loaded).outcome, SettingsFileOpen::NoImage);
    EXPECT_EQ(imageBytes(loaded, 999), imageBytes(saved, 999));
    EXPECT_EQ(*loaded.GetImageByte(999), 0);
}

} // namespace
} // namespace rq7
