// rq7ctl check, run as a program on settings texts.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("RQ7_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "RQ7_BIN_DIR not set";
        rq7ctl_ = fs::path(bin) / "rq7ctl";
        ASSERT_TRUE(fs::exists(rq7ctl_)) << rq7ctl_;
        std::string pattern = (fs::temp_directory_path() / "rq7-check-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    fs::path write(const std::string& name, const std::string& text) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Arguments are single-quoted for the shell; none of ours holds a quote.
    Outcome run(const std::string& args) {
        const fs::path out = dir_ / "stdout";
        const fs::path err = dir_ / "stderr";
        const std::string command = "'" + rq7ctl_.string() + "' " + args + " >'" + out.string() +
                                    "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        Outcome r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readFile(out);
        r.err = readFile(err);
        return r;
    }

    std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

    fs::path rq7ctl_;
    fs::path dir_;
};

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
    const Outcome r = run("check " + quoted(file));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(CheckCommand, ReplacementsAloneExitZero) {
    const fs::path file = write("fix.txt", "tabDobaPlatnostiSMS=45\n"
                                           "tabTC(2)=061\n"
                                           "tabTCUdalost(5)=1\n");
    const Outcome r = run("check " + quoted(file));
    EXPECT_EQ(r.status, 0) << r.err;
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
    const Outcome r = run("check " + quoted(file));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out,
              "tabPIN: msg045 PIN je zad\u00e1n chybn\u011b!\n"
              "tabTC(1): msg037 Telefonn\u00ed \u010d\u00edslo je zad\u00e1no chybn\u011b.\n"
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
        const char* option;
        const char* out;
    } cases[] = {
        {"--prefix +421", "tabTC(0)=+42161\n"},
        {"--prefix=+49", "tabTC(0)=+4961\n"},
        {"--prefix ''", ""}, // no prefix: a national number stays
    };
    for (const auto& c : cases) {
        const Outcome before = run("check " + std::string(c.option) + " " + quoted(file));
        EXPECT_EQ(before.status, 0) << "case: " << c.option << " " << before.err;
        EXPECT_EQ(before.out, c.out) << "case: " << c.option;
        const Outcome after = run("check " + quoted(file) + " " + c.option);
        EXPECT_EQ(after.out, c.out) << "case: " << c.option << " after the file";
    }
}

TEST_F(CheckCommand, BadInputExitsTwo) {
    const fs::path good = write("ok.txt", "tabPIN=1\n");
    const fs::path broken = write("broken.txt", "tabPIN=1\ntabNoSuchField=2\n");
    const struct {
        const char* name;
        std::string args;
        const char* errContains;
    } cases[] = {
        {"no file", "check", "usage"},
        {"two files", "check " + quoted(good) + " " + quoted(good), "usage"},
        {"missing file", "check " + quoted(dir_ / "none.txt"), "cannot read"},
        {"unknown field", "check " + quoted(broken), "line 2"},
        {"prefix with a letter", "check --prefix 42a " + quoted(good), "tabUTO: msg50 "},
        {"prefix too long", "check --prefix +4201 " + quoted(good), "at most 4"},
        {"prefix without value", "check " + quoted(good) + " --prefix", "needs a value"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << "case: " << c.name;
        EXPECT_NE(r.err.find(c.errContains), std::string::npos)
            << "case: " << c.name << ": " << r.err;
        EXPECT_EQ(r.out, "") << "case: " << c.name;
    }
}

TEST_F(CheckCommand, BuildRefusesWhatCheckRejects) {
    const fs::path bad = write("bad.txt", "tabTC(4)=+\ntabDobaPlatnostiSMS=0\n");
    const fs::path eep = write("keep.eep", "old");
    const Outcome checked = run("check " + quoted(bad));
    const Outcome built = run("build " + quoted(bad) + " -o " + quoted(eep));
    EXPECT_EQ(built.status, 2);
    EXPECT_EQ(built.err, checked.out); // the same lines
    EXPECT_NE(built.err.find("tabTC(4): msg037 "), std::string::npos) << built.err;
    EXPECT_EQ(readFile(eep), "old");
    const Outcome badPrefix = run("build " + quoted(bad) + " -o " + quoted(eep) + " --prefix x");
    EXPECT_EQ(badPrefix.status, 2);
    EXPECT_NE(badPrefix.err.find("tabUTO: msg50 "), std::string::npos) << badPrefix.err;
}

// Building a text applies the replacements that check reports: the file is
// the same as the one built from the text with those replacements made.
TEST_F(CheckCommand, BuildAppliesTheReplacements) {
    const struct {
        const char* name;
        std::string prefixOption;
        std::string text;
        std::string corrected;
        std::string notes;
    } cases[] = {
        {"default prefix", "", "tabTC(1)=061\ntabTCPrijem(2)=1\ntabDobaPlatnostiSMS=9E999\n",
         "tabTC(1)=+42061\ntabDobaPlatnostiSMS=30\n",
         "tabDobaPlatnostiSMS=30\ntabTC(1)=+42061\ntabTCPrijem(2)=0\n"},
        {"given prefix", "--prefix +421", "tabTC(1)=0061\ntabTC(2)=061\n",
         "tabTC(1)=+61\ntabTC(2)=+42161\n", "tabTC(1)=+61\ntabTC(2)=+42161\n"},
        {"no prefix", "--prefix ''", "tabTC(1)=061\n", "tabTC(1)=061\n", ""},
    };
    for (const auto& c : cases) {
        const fs::path raw = dir_ / "raw.eep";
        const fs::path fixed = dir_ / "fixed.eep";
        const Outcome built = run("build " + quoted(write("raw.txt", c.text)) + " -o " +
                                  quoted(raw) + " " + c.prefixOption);
        ASSERT_EQ(built.status, 0) << "case: " << c.name << ": " << built.err;
        EXPECT_EQ(built.err, c.notes) << "case: " << c.name;
        const Outcome reference = run("build " + quoted(write("fixed.txt", c.corrected)) + " -o " +
                                      quoted(fixed) + " " + c.prefixOption);
        ASSERT_EQ(reference.status, 0) << "case: " << c.name << ": " << reference.err;
        EXPECT_EQ(reference.err, "") << "case: " << c.name;
        EXPECT_EQ(readFile(raw), readFile(fixed)) << "case: " << c.name;
    }
}
