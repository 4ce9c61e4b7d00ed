// rq7ctl check, run as a program on settings texts.

#include "tests/support/Files.h"
#include "tests/support/Programs.h"
#include "tests/support/Rq7ctlTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace rq7;
using test::ProgramResult;
using test::readFile;
using test::runRq7ctl;

namespace {

class CheckCommand : public test::Rq7ctlTest {};

} // namespace

TEST_F(CheckCommand, GoodFilePassesSilently) {
    const fs::path file = write("good.txt", "# a station\n"
                                            "tabJmenoStanice=Chata [u lesa]\n"
                                            "tabPIN=1234\n"
                                            "tabTC(0)=+420603000111\n"
                                            "tabTCPrijem(0)=1\n"
                                            "tabINPNazev(0)=Alarm zona 1\n"
                                            "tabINPVyp(0)=klid\n"
                                            "tabINPZap(0)=poplach\n"
                                            "tabOUTNazev(0)=RELE1\n"
                                            "tabOUTNazev(1)=SVETLO\n"
                                            "tabOUTVyp(0)=OFF\n"
                                            "tabOUTZap(0)=ON\n"
                                            "tabOUTVyp(1)=OFF\n"
                                            "tabOUTZap(1)=ON\n");
    const ProgramResult r = runRq7ctl({"check", file});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(CheckCommand, ReplacementsAloneExitZero) {
    const fs::path file = write("fix.txt", "tabDobaPlatnostiSMS=45\n"
                                           "tabTC(2)=061\n"
                                           "tabTCUdalost(5)=1\n");
    const ProgramResult r = runRq7ctl({"check", file});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "tabDobaPlatnostiSMS=30\n"
                     "tabTC(2)=+42061\n"
                     "tabTCUdalost(5)=0\n");
}

TEST_F(CheckCommand, RejectionsExitOneWithKeyAndText) {
    const fs::path file = write("bad.txt", "tabPIN=12a\n"
                                           "tabTC(1)=+\n"
                                           "tabINPNazev(3)=st\n"
                                           "tabOUTNazev(0)=REL\n"
                                           "tabOUTNazev(1)=RELE\n"
                                           "tabOUTVyp(2)=Rele 1\n");
    const ProgramResult r = runRq7ctl({"check", file});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out,
              "tabPIN: msg045 PIN je zad\u00e1n chybn\u011b!\n"
              "tabTC(1): msg037 Telefonn\u00ed \u010d\u00edslo je zad\u00e1no chybn\u011b. "
              "Sm\u00ed obsahovat jen \u010d\u00edslice 0 a\u017e 9, na za\u010d\u00e1tku "
              "p\u0159\u00edpadn\u011b znak +.\n"
              "tabINPNazev(3): msg044 P\u0159\u00edkaz nesm\u00ed b\u00fdt \u017e\u00e1dn\u00e9 z "
              "t\u011bchto kl\u00ed\u010dov\u00fdch slov (ani jejich p\u0159edpony): "
              "STATE;STAV;BACK;NOBACK;RESET;SHUTDOWN;NAME;ZPET;NEZPET;JMENO\n"
              "tabOUTVyp(2): msg042 Toto pole m\u016f\u017ee obsahovat pouze tyto znaky: "
              "_0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
              "tabOUTNazev(0): msg041 N\u00e1zvy v\u00fdstup\u016f ani n\u00e1zvy stav\u016f "
              "v\u00fdstup\u016f se nesm\u011bj\u00ed shodovat a nesm\u00ed b\u00fdt ani "
              "p\u0159edponou jin\u00e9ho n\u00e1zvu.\n");
}

TEST_F(CheckCommand, PrefixOption) {
    const fs::path file = write("phone.txt", "tabTC(0)=061\n");
    const struct {
        const char* name;
        std::vector<std::string> option;
        const char* out;
    } cases[] = {
        {"--prefix +421", {"--prefix", "+421"}, "tabTC(0)=+42161\n"},
        {"--prefix=+49", {"--prefix=+49"}, "tabTC(0)=+4961\n"},
        {"--prefix ''", {"--prefix", ""}, ""}, // no prefix: a national number stays
    };
    for (const auto& c : cases) {
        std::vector<std::string> optionFirst{"check"};
        optionFirst.insert(optionFirst.end(), c.option.begin(), c.option.end());
        optionFirst.push_back(file);
        const ProgramResult before = runRq7ctl(optionFirst);
        EXPECT_EQ(before.exitCode, 0) << "case: " << c.name << " " << before.err;
        EXPECT_EQ(before.out, c.out) << "case: " << c.name;
        std::vector<std::string> fileFirst{"check", file};
        fileFirst.insert(fileFirst.end(), c.option.begin(), c.option.end());
        const ProgramResult after = runRq7ctl(fileFirst);
        EXPECT_EQ(after.out, c.out) << "case: " << c.name << " after the file";
    }
}

TEST_F(CheckCommand, BadInputExitsTwo) {
    const fs::path good = write("ok.txt", "tabPIN=1\n");
    const fs::path broken = write("broken.txt", "tabPIN=1\ntabNoSuchField=2\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* errContains;
    } cases[] = {
        {"no file", {"check"}, "usage"},
        {"two files", {"check", good, good}, "usage"},
        {"missing file", {"check", dir_ / "none.txt"}, "cannot read"},
        {"a directory", {"check", dir_.path()}, "cannot read"},
        {"unknown field", {"check", broken}, "line 2"},
        {"prefix with a letter", {"check", "--prefix", "42a", good}, "tabUTO: msg50 "},
        {"prefix too long", {"check", "--prefix", "+4201", good}, "at most 4"},
        {"prefix without value", {"check", good, "--prefix"}, "needs a value"},
    };
    for (const auto& c : cases) {
        const ProgramResult r = runRq7ctl(c.args);
        EXPECT_EQ(r.exitCode, 2) << "case: " << c.name;
        EXPECT_NE(r.err.find(c.errContains), std::string::npos)
            << "case: " << c.name << ": " << r.err;
        EXPECT_EQ(r.out, "") << "case: " << c.name;
    }
}

TEST_F(CheckCommand, BuildRefusesWhatCheckRejects) {
    const fs::path bad = write("bad.txt", "tabTC(4)=+\ntabDobaPlatnostiSMS=0\n");
    const fs::path eep = write("keep.eep", "old");
    const ProgramResult checked = runRq7ctl({"check", bad});
    const ProgramResult built = runRq7ctl({"build", bad, "-o", eep});
    EXPECT_EQ(built.exitCode, 2);
    EXPECT_EQ(built.err, checked.out); // the same lines
    EXPECT_NE(built.err.find("tabTC(4): msg037 "), std::string::npos) << built.err;
    EXPECT_EQ(readFile(eep), "old");
    const ProgramResult badPrefix = runRq7ctl({"build", bad, "-o", eep, "--prefix", "x"});
    EXPECT_EQ(badPrefix.exitCode, 2);
    EXPECT_NE(badPrefix.err.find("tabUTO: msg50 "), std::string::npos) << badPrefix.err;
}

// Building a text applies the replacements that check reports: the file is
// the same as the one built from the text with those replacements made.
TEST_F(CheckCommand, BuildAppliesTheReplacements) {
    const struct {
        const char* name;
        std::vector<std::string> prefixOption;
        std::string text;
        std::string corrected;
        std::string notes;
    } cases[] = {
        {"default prefix",
         {},
         "tabTC(1)=061\ntabTCPrijem(2)=1\ntabDobaPlatnostiSMS=9E999\n",
         "tabTC(1)=+42061\ntabDobaPlatnostiSMS=30\n",
         "tabDobaPlatnostiSMS=30\ntabTC(1)=+42061\ntabTCPrijem(2)=0\n"},
        {"given prefix",
         {"--prefix", "+421"},
         "tabTC(1)=0061\ntabTC(2)=061\n",
         "tabTC(1)=+61\ntabTC(2)=+42161\n",
         "tabTC(1)=+61\ntabTC(2)=+42161\n"},
        {"no prefix", {"--prefix", ""}, "tabTC(1)=061\n", "tabTC(1)=061\n", ""},
    };
    for (const auto& c : cases) {
        const fs::path raw = dir_ / "raw.eep";
        const fs::path fixed = dir_ / "fixed.eep";
        std::vector<std::string> buildRaw{"build", write("raw.txt", c.text), "-o", raw};
        buildRaw.insert(buildRaw.end(), c.prefixOption.begin(), c.prefixOption.end());
        const ProgramResult built = runRq7ctl(buildRaw);
        ASSERT_EQ(built.exitCode, 0) << "case: " << c.name << ": " << built.err;
        EXPECT_EQ(built.err, c.notes) << "case: " << c.name;
        std::vector<std::string> buildFixed{"build", write("fixed.txt", c.corrected), "-o", fixed};
        buildFixed.insert(buildFixed.end(), c.prefixOption.begin(), c.prefixOption.end());
        const ProgramResult reference = runRq7ctl(buildFixed);
        ASSERT_EQ(reference.exitCode, 0) << "case: " << c.name << ": " << reference.err;
        EXPECT_EQ(reference.err, "") << "case: " << c.name;
        EXPECT_EQ(readFile(raw), readFile(fixed)) << "case: " << c.name;
    }
}

// "check passes" means "build succeeds": every value build refuses is
// reported with the window's message, by its field rule (the impulse
// length) or, where no rule catches it, as the window's save would (msg010);
// each on its own and all of them together.
TEST_F(CheckCommand, ReportsEveryValueBuildWouldRefuse) {
    const struct {
        std::string line;
        const char* key;
    } cases[] = {
        {"tabOUTimpulsLEN(0)= 7", "msg060"}, {"tabOUTimpulsLEN(1)=256", "msg060"},
        {"tabWaitFree=x", "msg010"},         {"tabRFRWait=9999", "msg010"},
        {"eeExistTime=99999", "msg010"},     {"tabTC(2)=+" + std::string(256, '1'), "msg010"},
    };
    const fs::path eep = dir_ / "out.eep";
    std::string all;
    for (const auto& c : cases) {
        all += c.line + "\n";
        const fs::path text = write("one.txt", c.line + "\n");
        const ProgramResult checked = runRq7ctl({"check", text});
        EXPECT_EQ(checked.exitCode, 1) << "case: " << c.line << ": " << checked.out;
        const std::string finding = c.line.substr(0, c.line.find('=')) + ": " + c.key + " ";
        EXPECT_NE(checked.out.find(finding), std::string::npos)
            << "case: " << c.line << ": " << checked.out;
        EXPECT_EQ(runRq7ctl({"build", text, "-o", eep}).exitCode, 2) << "case: " << c.line;
    }
    EXPECT_FALSE(fs::exists(eep));
    const ProgramResult checked = runRq7ctl({"check", write("all.txt", all)});
    EXPECT_EQ(checked.exitCode, 1);
    for (const auto& c : cases)
        EXPECT_NE(checked.out.find(c.line.substr(0, c.line.find('=')) + ": " + c.key + " "),
                  std::string::npos)
            << "case: " << c.line << ": " << checked.out;
}
