#include "operations/FileNames.h"

#include "tests/support/MemoryStore.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace rq7 {
namespace {

TEST(FileNames, OnlyANameWithoutSuffixGetsEep) {
    struct Case {
        const char* typed;
        const char* saved;
    };
    const Case cases[] = {
        {"/home/t/sklad-brno", "/home/t/sklad-brno.eep"},
        {"/home/t/sklad.eep", "/home/t/sklad.eep"},
        {"/home/t/sklad.bak", "/home/t/sklad.bak"},
        {"/home/t/v1.2/sklad", "/home/t/v1.2/sklad.eep"}, // a dot in the folder is no suffix
        {"/home/t/.sklad", "/home/t/.sklad.eep"},         // nor is a hidden file's leading dot
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithEepSuffix(c.typed), c.saved) << "case: " << c.typed;
}

TEST(FileNames, TheSaveOffersTheOpenFileElseTheStation) {
    struct Case {
        const char* document;
        const char* station;
        const char* offered;
    };
    const Case cases[] = {
        {"chata.EEP", "Sklad", "chata.EEP"},           // the open file
        {"RQ7", "Sklad/Brno: 2", "Sklad-Brno- 2.eep"}, // a device's model is no file
        {"*.eep", " ", "nastaveni.eep"},
        {"", "", "nastaveni.eep"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OfferedSaveName(c.document, c.station), c.offered) << "case: " << c.document;
}

TEST(FileNames, RecentFolderFallsBackUntilAnExistingFolderIsRemembered) {
    test::TempDir dir;
    const std::filesystem::path chosen = dir / "sub";
    std::filesystem::create_directory(chosen);
    test::MemoryStore store;
    RecentFolder recent(&store, "/documents");
    EXPECT_EQ(recent.folder(), "/documents");

    recent.remember((chosen / "a.eep").string());
    EXPECT_EQ(RecentFolder(&store, "/documents").folder(), chosen.string()) << "a later run";

    std::filesystem::remove(chosen);
    EXPECT_EQ(recent.folder(), "/documents") << "the folder is gone";
    store.broken = true;
    recent.remember((dir / "b.eep").string()); // a store that fails costs nothing but the folder
    EXPECT_EQ(recent.folder(), "/documents");
}

} // namespace
} // namespace rq7
