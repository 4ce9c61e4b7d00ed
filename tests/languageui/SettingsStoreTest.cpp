// The settings store on QSettings, over a directory of the test's own.

#include "ui/language/QtSettingsStore.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace rq7::test {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(QtSettingsStore, ValuesSurviveTheStoreObjectInAFileOfTheApplicationsName) {
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    {
        ui::QtSettingsStore store(dir);
        EXPECT_TRUE(store.write("RQ7 Init", "Options", "Language", "Čeština"));
        EXPECT_TRUE(store.write("Other", "Options", "Language", "English"));
    }
    ui::QtSettingsStore store(dir);
    const struct {
        const char* application;
        const char* section;
        const char* key;
        bool found;
        const char* value;
    } cases[] = {
        {"RQ7 Init", "Options", "Language", true, "Čeština"},
        {"Other", "Options", "Language", true, "English"},
        {"RQ7 Init", "Options", "Missing", false, "untouched"},
        {"RQ7 Init", "Elsewhere", "Language", false, "untouched"},
        {"Nobody", "Options", "Language", false, "untouched"},
    };
    for (const auto& c : cases) {
        std::string value = "untouched";
        EXPECT_EQ(store.read(c.application, c.section, c.key, value), c.found)
            << "case: " << c.application << "/" << c.section << "/" << c.key;
        EXPECT_EQ(value, c.value) << "case: " << c.application << "/" << c.section << "/" << c.key;
    }
    const std::string file = fileText(dir / "RQ7 Init.conf");
    EXPECT_NE(file.find("[Options]"), std::string::npos) << file;
    EXPECT_NE(file.find("Language="), std::string::npos) << file;
}

TEST(QtSettingsStore, TheEmptyNameIsAValue) {
    QTemporaryDir temp;
    ui::QtSettingsStore store(temp.path().toStdString());
    ASSERT_TRUE(store.write("RQ7 Init", "Options", "Language", ""));
    std::string value = "untouched";
    EXPECT_TRUE(store.read("RQ7 Init", "Options", "Language", value));
    EXPECT_EQ(value, "");
}

TEST(QtSettingsStore, AStoreThatCannotBeWrittenSaysSo) {
    QTemporaryDir temp;
    // A regular file where the store's directory should be.
    const fs::path blocked = fs::path(temp.path().toStdString()) / "blocked";
    std::ofstream(blocked) << "not a directory";
    ui::QtSettingsStore store(blocked);
    EXPECT_FALSE(store.write("RQ7 Init", "Options", "Language", "English"));
    std::string value = "untouched";
    EXPECT_FALSE(store.read("RQ7 Init", "Options", "Language", value));
    EXPECT_EQ(value, "untouched");
}

} // namespace
} // namespace rq7::test
