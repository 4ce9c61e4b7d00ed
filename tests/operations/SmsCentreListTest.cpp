#include "operations/SmsCentreList.h"

#include "operations/StartupLists.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <vector>

namespace rq7 {
namespace {

using Strings = std::vector<std::string>;

TEST(ReadCsvFields, FollowsTheSequentialInputRules) {
    const struct {
        const char* name;
        std::string text;
        Strings expected;
    } cases[] = {
        {"one pair", "Oskar,+420603052000\r\n", {"Oskar", "+420603052000"}},
        {"leading blanks skipped", "  \tA,   1\n", {"A", "1"}},
        {"trailing blanks dropped",
         "  T-Mobile CZ \t,  +420603052000  \r\nB ,2 ",
         {"T-Mobile CZ", "+420603052000", "B", "2"}},
        {"blanks inside quotes kept", "\" A \",1", {" A ", "1"}},
        {"quoted with comma", "\"Voda, fone\",123\n", {"Voda, fone", "123"}},
        {"quoted with line end", "\"a\nb\",1", {"a\nb", "1"}},
        {"text after closing quote dropped", "\"A\"xy,1", {"A", "1"}},
        {"unterminated quote runs to the end", "\"A,1", {"A,1"}},
        {"lines as separators", "A\nB\rC\r\nD", {"A", "B", "C", "D"}},
        {"empty field between commas", "A,,1", {"A", "", "1"}},
        {"comma before line end", "A,\n1", {"A", "", "1"}},
        {"blank lines hold nothing", "\n\nA,1\n\n  \nB,2\n\n", {"A", "1", "B", "2"}},
        {"empty text", "", {}},
        {"several pairs on a line", "A,1,B,2", {"A", "1", "B", "2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadCsvFields(c.text), c.expected) << "case: " << c.name;
}

TEST(ParseSmsCentreList, BuildsNameAndNumberEntries) {
    const struct {
        const char* name;
        std::string bytes;
        Strings expected;
    } cases[] = {
        {"two lines",
         "Eurotel,+420602909909\r\nOskar,+420603052000\r\n",
         {"Eurotel <+420602909909>", "Oskar <+420603052000>"}},
        {"quoted name with comma",
         "\"Paegas, Praha\",+420603052000\n",
         {"Paegas, Praha <+420603052000>"}},
        {"odd count drops the unpaired field", "A,1\nB\n", {"A <1>"}},
        {"single field", "A", {}},
        {"code page 1250 name", "\x8A\xE8\xED,1\n", {"\u0160\u010d\u00ed <1>"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSmsCentreList(c.bytes), c.expected) << "case: " << c.name;
}

TEST(LoadSmsCentreList, ProgramDirectoryWinsOverSystemDirectory) {
    test::TempDir program, system;
    test::writeFile(system / kSmsCentreFileName, "System,2\n");

    EXPECT_EQ(LoadSmsCentreList(program.path(), system.path()), Strings{"System <2>"})
        << "only the system file";

    test::writeFile(program / kSmsCentreFileName, "Program,1\n");
    EXPECT_EQ(LoadSmsCentreList(program.path(), system.path()), Strings{"Program <1>"})
        << "both files";
    EXPECT_EQ(FindSmsCentreFile(program.path(), system.path()),
              program.path() / kSmsCentreFileName);
}

TEST(LoadSmsCentreList, NoFileGivesNoEntries) {
    test::TempDir program, system;
    EXPECT_TRUE(LoadSmsCentreList(program.path(), system.path()).empty());
    EXPECT_TRUE(FindSmsCentreFile(program.path(), system.path()).empty());
    // A directory of that name is not a list.
    std::filesystem::create_directory(program / kSmsCentreFileName);
    EXPECT_TRUE(LoadSmsCentreList(program.path(), system.path()).empty());
}

TEST(InitTables, FixedListsInTableOrderAndTheSmsCentres) {
    test::TempDir program, system;
    test::writeFile(program / kSmsCentreFileName, "\"T-Mobile\",+420603052000\n");
    const StartupLists lists = InitTables(program.path(), system.path());
    EXPECT_EQ(lists.tabKOMUNIKFormat, (Strings{"SIA", "Pulzn\u00ed"}));
    EXPECT_EQ(lists.tabKOMUNIKParita, (Strings{"Bez parity", "S paritou"}));
    EXPECT_EQ(lists.tabKOMUNIKFrekvence, (Strings{"1400 Hz", "2300 Hz"}));
    EXPECT_EQ(lists.tabTCcentra, Strings{"T-Mobile <+420603052000>"});
}

} // namespace
} // namespace rq7
