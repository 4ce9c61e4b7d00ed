// rq7ctl dump, build, size and diff, run as a program.

#include "encoding/Cp1250.h"
#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsText.h"
#include "tests/support/Files.h"
#include "tests/support/Programs.h"
#include "tests/support/Rq7ctlTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using namespace rq7;
using test::ProgramResult;
using test::readFile;
using test::runRq7ctl;

namespace {

class Rq7ctl : public test::Rq7ctlTest {};

// The bytes of a settings file for `record`, built in-process.
std::string imageFile(const SettingsRecord& record) {
    auto image = std::make_unique<EepromImage>();
    const WriteResult res = WriteImage(record, *image);
    EXPECT_TRUE(res.ok);
    std::string bytes;
    for (long a = 0; a < res.length; ++a)
        bytes += static_cast<char>(*image->GetImageByte(a));
    return bytes;
}

} // namespace

TEST_F(Rq7ctl, BuildWritesTheImageAndDumpReadsItBack) {
    const std::string text = "# test settings\n"
                             "tabJmenoStanice=Chata U Lesa \xC4\x8D.p. 12\n"
                             "tabPIN=1234\r\n"
                             "tabTC(0)=+420123456789\n"
                             "tabTCPrijem(0)=1\n"
                             "tabTCUdalost(0)=2\n"
                             "tabKOMUNIKFormat=Pulzn\xC3\xAD\n"
                             "tabRFRWait=5\n"
                             "tabPrepnoutJTSCislo=7\n"
                             "rtNotAuthorized=\n"
                             "tabINPNazev(1)=Dvere\n"
                             "tabOUTimpulsLEN(2)=25\n";
    const fs::path settings = write("in.txt", text);
    const fs::path eep = path("out.eep");
    const ProgramResult built = runRq7ctl({"build", settings.string(), "-o", eep.string()});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.out, "");

    SettingsRecord expected;
    ASSERT_TRUE(ParseSettingsText(text, expected).ok);
    EXPECT_EQ(readFile(eep), imageFile(expected));

    const ProgramResult size = runRq7ctl({"size", settings.string()});
    ASSERT_EQ(size.exitCode, 0) << size.err;
    EXPECT_EQ(size.out, std::to_string(readFile(eep).size() + 1) + "\n");

    const ProgramResult dumped = runRq7ctl({"dump", eep.string()});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    // The canonical forms: grey flag off, JTS digit 0 while
    // off, the unauthorised-access flag off with no text, RFR in 3 s steps.
    expected.tabTCUdalost[0] = kFlagOff;
    expected.tabPrepnoutJTSCislo = "0";
    expected.opNotAuthorized = kFlagOff;
    expected.tabRFRWait = "3";
    EXPECT_EQ(dumped.out, FormatSettingsText(expected));

    // The dump is a settings text that builds the same file again.
    const fs::path again = path("again.eep");
    const ProgramResult rebuilt =
        runRq7ctl({"build", write("dump.txt", dumped.out).string(), "-o", again.string()});
    ASSERT_EQ(rebuilt.exitCode, 0) << rebuilt.err;
    EXPECT_EQ(readFile(again), readFile(eep));
}

TEST_F(Rq7ctl, DumpListsEveryFieldInTableOrder) {
    const ProgramResult dumped =
        runRq7ctl({"dump", write("empty.eep", imageFile(SettingsRecord{})).string()});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    std::istringstream lines(dumped.out);
    std::string line;
    std::size_t n = 0;
    for (; std::getline(lines, line); ++n) {
        ASSERT_LT(n, settingsFields().size());
        EXPECT_EQ(line.substr(0, line.find('=')), settingsFields()[n].name());
    }
    EXPECT_EQ(n, settingsFields().size());
    EXPECT_NE(dumped.out.find("\ntabRFRWait=3\n"), std::string::npos);
    EXPECT_NE(dumped.out.find("\nopNotAuthorized=0\n"), std::string::npos);
}

TEST_F(Rq7ctl, DumpRefusals) {
    std::string bad = imageFile(SettingsRecord{});
    bad[5] = '\x01';
    std::string overflow = imageFile(SettingsRecord{});
    overflow[62] = '\x80'; // existence period with its top bit set
    overflow[26] = '\0';
    {
        auto image = std::make_unique<EepromImage>();
        for (std::size_t a = 0; a < overflow.size(); ++a)
            image->SetImageByte(static_cast<unsigned char>(overflow[a]), static_cast<long>(a));
        overflow[26] = static_cast<char>(image->HeaderChecksum());
    }
    SettingsRecord withBreak;
    withBreak.tabINPNazev[4] = "two\nlines";
    SettingsRecord longer;
    longer.tabJmenoStanice = std::string(100, 'S');

    struct Case {
        const char* name;
        std::string bytes;
        const char* mention;
    };
    const Case cases[] = {
        {"invalid header", bad, "holds no settings image"},
        {"empty file", "", "holds no settings image"},
        {"reader failure", overflow, u8"Neznámá chyba při překladu dat."},
        {"too large", std::string(65537, '\0'), "larger than"},
        {"line break", imageFile(withBreak), "tabINPNazev(4)"},
        // The settings the header describes end past the file's end.
        {"cut short", imageFile(longer).substr(0, 100), "cut short"},
    };
    for (const Case& c : cases) {
        const fs::path file = write("case.eep", c.bytes);
        const ProgramResult r = runRq7ctl({"dump", file.string()});
        EXPECT_EQ(r.exitCode, 2) << "case: " << c.name;
        EXPECT_EQ(r.out, "") << "case: " << c.name;
        EXPECT_NE(r.err.find(file.string()), std::string::npos)
            << "case: " << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << "case: " << c.name << ": " << r.err;
    }
    // A named pipe is refused at once instead of waiting for a writer.
    const fs::path fifo = path("pipe.eep");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const char* command : {"dump", "report", "size", "check"}) {
        const ProgramResult r = runRq7ctl({command, fifo.string()});
        EXPECT_EQ(r.exitCode, 2) << "case: " << command;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos)
            << "case: " << command << ": " << r.err;
    }
    const ProgramResult missing = runRq7ctl({"dump", path("nope.eep").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("nope.eep"), std::string::npos);
}

// Control characters of a crafted file or text never reach the terminal:
// they show as U+FFFD, in dump's lines as in the report's.
TEST_F(Rq7ctl, ControlCharactersStayOffTheTerminal) {
    SettingsRecord crafted;
    crafted.tabJmenoStanice = "A\x1b[2JB\x07";
    const ProgramResult dumped = runRq7ctl({"dump", write("c.eep", imageFile(crafted)).string()});
    EXPECT_EQ(dumped.exitCode, 0) << dumped.err;
    EXPECT_NE(dumped.out.find("tabJmenoStanice=A\uFFFD[2JB\uFFFD\n"), std::string::npos)
        << dumped.out;
    EXPECT_NE(dumped.err.find("tabJmenoStanice"), std::string::npos) << dumped.err;
    const std::string text = "tab\x1b]0;x\x07"
                             "Foo=1\n";
    for (const char* command : {"size", "check"}) {
        const ProgramResult r = runRq7ctl({command, write("c.txt", text).string()});
        EXPECT_EQ(r.exitCode, 2) << "case: " << command;
        EXPECT_NE(r.err.find("tab\uFFFD]0;x\uFFFDFoo"), std::string::npos)
            << "case: " << command << ": " << r.err;
    }
    EXPECT_EQ((dumped.out + dumped.err).find_first_of(std::string("\x1b\x07\0", 3)),
              std::string::npos);
}

// size prints what build writes, plus one: counted after the replacements
// the field rules make.
TEST_F(Rq7ctl, SizeIsTheBuiltFileLengthPlusOne) {
    const fs::path text = write("s.txt", "tabTC(0)=061\ntabTC(1)=00420777\n");
    for (const std::vector<std::string>& prefix :
         std::vector<std::vector<std::string>>{{}, {"--prefix", "+1"}}) {
        std::vector<std::string> build{"build", text.string(), "-o", path("s.eep").string()};
        std::vector<std::string> size{"size", text.string()};
        build.insert(build.end(), prefix.begin(), prefix.end());
        size.insert(size.end(), prefix.begin(), prefix.end());
        ASSERT_EQ(runRq7ctl(build).exitCode, 0);
        const ProgramResult r = runRq7ctl(size);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, std::to_string(fs::file_size(path("s.eep")) + 1) + "\n");
    }
}

TEST_F(Rq7ctl, FullSizeFileIsAccepted) {
    std::string bytes = imageFile(SettingsRecord{});
    bytes.resize(65536, '\x55');
    const ProgramResult r = runRq7ctl({"dump", write("full.eep", bytes).string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(Rq7ctl, BuildFailureLeavesTheTargetAlone) {
    const fs::path eep = write("keep.eep", "old contents");
    struct Case {
        const char* name;
        std::string text;
        const char* mention;
    };
    const Case cases[] = {
        {"conversion failure", "tabRFRWait=\n", u8"Nastala chyba při převodu dat."},
        {"unknown field", "tabNothing=1\n", "line 1"},
        {"bad flag", "\nopExist=x\n", "line 2"},
    };
    for (const Case& c : cases) {
        const ProgramResult r =
            runRq7ctl({"build", write("bad.txt", c.text).string(), "-o", eep.string()});
        EXPECT_EQ(r.exitCode, 2) << "case: " << c.name;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << "case: " << c.name << ": " << r.err;
        EXPECT_EQ(readFile(eep), "old contents") << "case: " << c.name;
    }
    const fs::path absent = path("absent.eep");
    EXPECT_EQ(
        runRq7ctl({"build", write("bad.txt", "tabRFRWait=1\n").string(), "-o", absent.string()})
            .exitCode,
        2);
    EXPECT_FALSE(fs::exists(absent));
    // Nothing but the files of the test is left in the directory.
    for (const auto& entry : fs::directory_iterator(path("")))
        EXPECT_EQ(entry.path().string().find(".eep."), std::string::npos) << entry.path();
}

TEST_F(Rq7ctl, BuildReplacesAnExistingFile) {
    const fs::path eep = write("old.eep", std::string(500, 'x'));
    const ProgramResult r =
        runRq7ctl({"build", write("s.txt", "tabPIN=1\n").string(), "-o", eep.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    SettingsRecord expected;
    expected.tabPIN = "1";
    EXPECT_EQ(readFile(eep), imageFile(expected));
}

// A directory given for a file is refused, not read as an empty one.
TEST_F(Rq7ctl, ADirectoryIsNoFile) {
    const fs::path folder = path("folder");
    ASSERT_TRUE(fs::create_directory(folder));
    const fs::path eep = path("out.eep");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"build", folder.string(), "-o", eep.string()},
                                               {"size", folder.string()},
                                               {"dump", folder.string()}}) {
        const ProgramResult r = runRq7ctl(args);
        EXPECT_EQ(r.exitCode, 2) << "case: " << args[0];
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos)
            << "case: " << args[0] << ": " << r.err;
        EXPECT_EQ(r.out, "") << "case: " << args[0];
    }
    EXPECT_FALSE(fs::exists(eep));
}

TEST_F(Rq7ctl, UsageErrors) {
    const fs::path s = write("s.txt", "");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"build", s.string()},
                                               {"build", "-o", path("x.eep").string()},
                                               {"build", s.string(), "-o"},
                                               {"dump"},
                                               {"size"},
                                               {"size", s.string(), s.string()},
                                               {"diff", s.string()},
                                               {"diff", s.string(), s.string(), s.string()},
                                               {"diff", s.string(), "--bogus"}}) {
        const ProgramResult r = runRq7ctl(args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " with " << args.size() << " arguments";
        EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    }
    const ProgramResult size = runRq7ctl({"size", s.string()});
    EXPECT_EQ(size.exitCode, 0);
    EXPECT_EQ(size.out, "150\n");
}

TEST_F(Rq7ctl, DiffPrintsEachDifferingFieldAndSaysSoInItsStatus) {
    SettingsRecord a;
    a.tabJmenoStanice = "Chata7";
    a.tabTC[2] = "+420123";
    a.tabINPZpr[3] = kFlagOn;
    SettingsRecord b = a;
    b.tabJmenoStanice = "Chata8\nB";
    b.tabTC[2].clear();
    b.tabINPZpr[3] = kFlagOff;
    b.tabKOMUNIKFormat = kFormatPulse;
    const std::string fa = write("a.eep", imageFile(a));
    const std::string fb = write("b.eep", imageFile(b));

    const ProgramResult same = runRq7ctl({"diff", fa, write("a2.eep", imageFile(a))});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // Field-table order; a line break in a value stays inside its line.
    const ProgramResult different = runRq7ctl({"diff", fa, fb});
    EXPECT_EQ(different.exitCode, 1) << different.err;
    EXPECT_EQ(different.out, "tabJmenoStanice: Chata7 -> Chata8\\nB\n"
                             "tabKOMUNIKFormat: " +
                                 a.tabKOMUNIKFormat + " -> " + kFormatPulse +
                                 "\n"
                                 "tabTC(2): +420123 -> \n"
                                 "tabINPZpr(3): 1 -> 0\n");

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"diff", fa, path("missing.eep").string()},
             {"diff", write("text.eep", "hello\n").string(), fb}}) {
        const ProgramResult broken = runRq7ctl(args);
        EXPECT_EQ(broken.exitCode, 2) << args[2];
        EXPECT_EQ(broken.out, "");
        EXPECT_NE(broken.err.find("rq7ctl diff:"), std::string::npos) << broken.err;
    }
}
