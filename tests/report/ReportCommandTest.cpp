#include "report/ReportLines.h"
#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsRecord.h"
#include "tests/support/Files.h"
#include "tests/support/Programs.h"
#include "tests/support/Rq7ctlTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace rq7::report {
namespace {

using test::ProgramResult;
using test::runRq7ctl;

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start)); // an unterminated last line
    return lines;
}

class ReportCommand : public test::Rq7ctlTest {
protected:
    // The image of `settings`, or as changed by `patch`, in a file.
    std::string writeImageFile(const SettingsRecord& settings, const char* name,
                               void (*patch)(EepromImage&) = nullptr) {
        auto image = std::make_unique<EepromImage>();
        const WriteResult written = WriteImage(settings, *image);
        EXPECT_TRUE(written.ok) << written.field << ": " << written.reason;
        if (patch)
            patch(*image);
        return writeBytes(name, std::string(reinterpret_cast<const char*>(image->data()),
                                            static_cast<std::size_t>(written.length)));
    }

    std::string writeBytes(const char* name, const std::string& bytes) {
        return write(name, bytes);
    }
};

SettingsRecord exampleSettings() {
    SettingsRecord s;
    s.tabJmenoStanice = "Ústředna Brno";
    s.tabTCcentra = "+420603052000";
    s.tabTC[0] = "+420123456789";
    s.tabTCPrijem[0] = kFlagOn;
    s.tabTCPoplach[0] = kFlagOn;
    s.tabINPNazev[5] = "N5";
    s.tabINPZap[5] = "Z5";
    s.tabINPVyp[5] = "V5";
    s.tabINPLHEvent[5] = kFlagOn;
    s.tabINPLH[5] = "LH5";
    s.tabOUTNazev[2] = "ON2";
    s.tabOUTimpulsLEN[2] = "25";
    s.tabOUTZpr[2] = kFlagOn;
    return s;
}

TEST_F(ReportCommand, PrintsTheReportLinesOfTheFile) {
    const std::string path = writeImageFile(exampleSettings(), "example.eep");
    const ProgramResult run = runRq7ctl({"report", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.out.back(), '\n');
    const std::vector<std::string> lines = splitLines(run.out);
    ASSERT_EQ(lines.size(), 45u) << run.out;
    struct Case {
        std::size_t index;
        std::string expected;
    };
    const Case cases[] = {
        {1, "VŠEOBECNÉ"},
        {2, std::string(165, '=')},
        {3, "Jméno stanice: Ústředna Brno"},
        {7, "Používat bezpečný režim: 1"},
        // Stored without its text, the not-authorised report comes back off.
        {10, "Posílat hlášení, že není povolen přístup: 0"},
        {15, "T0; +420123456789; 1; 0; "},
        {16, "T1; ; 0; 0; "},
        {29, "I3; ; ; ; 0; 0; 0; ; ; 0; "},
        {31, "I5; N5; Z5; V5; 1; 0; 0; LH5; ; 0; "},
        {39, "O2; ON2; ; ; 0; ; 25; 1; "},
        {44, "O7; ; ; ; 0; ; 1; 0; "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, lines[c.index]) << "case: line " << c.index;
    EXPECT_NE(lines[5].find("+420603052000"), std::string::npos) << lines[5];
}

TEST_F(ReportCommand, ControlCharactersNeverReachTheTerminal) {
    SettingsRecord s = exampleSettings();
    s.tabJmenoStanice = "A\x1b[2JB\tC";
    const ProgramResult run = runRq7ctl({"report", writeImageFile(s, "escape.eep")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = splitLines(run.out);
    ASSERT_EQ(lines.size(), 45u);
    EXPECT_EQ("Jméno stanice: A\xEF\xBF\xBD[2JB\xEF\xBF\xBD"
              "C",
              lines[3]);
}

// The PDF comes from the window's printing code; here it is checked as a
// reader sees it: every report line, in order, and a refused output path.
TEST_F(ReportCommand, PrintsTheReportIntoAPdf) {
    const std::string pdftotext = "/usr/bin/pdftotext";
    if (!std::filesystem::exists(pdftotext))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    const std::string source = writeImageFile(exampleSettings(), "example.eep");
    const std::string pdf = path("sheet.pdf");
    const ProgramResult run = runRq7ctl({"report", source, "--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const ProgramResult text = test::runProgram(pdftotext, {"-layout", "-enc", "UTF-8", pdf, "-"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    // The lines of the file's settings, as the text report gives them.
    const ProgramResult lines = runRq7ctl({"report", source});
    ASSERT_EQ(lines.exitCode, 0) << lines.err;
    std::size_t from = 0;
    for (const std::string& line : splitLines(lines.out)) {
        const std::size_t first = line.find_first_not_of(' ');
        const std::size_t last = line.find_last_not_of(' ');
        if (first == std::string::npos || line[first] == '=')
            continue; // blank lines; rules run past the paper's edge
        const std::string words = line.substr(first, last - first + 1);
        const std::size_t at = text.out.find(words, from);
        ASSERT_NE(at, std::string::npos) << "not found after the previous line: " << words;
        from = at + words.size();
    }

    const ProgramResult refused =
        runRq7ctl({"report", source, "--pdf", path("missing/dir/sheet.pdf")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("missing/dir/sheet.pdf"), std::string::npos) << refused.err;
}

TEST_F(ReportCommand, RejectsWhatIsNoSettingsFile) {
    std::string badChecksum = test::readFile(writeImageFile(exampleSettings(), "valid.eep"));
    ASSERT_GT(badChecksum.size(), 26u);
    badChecksum[26] = static_cast<char>(badChecksum[26] + 1);
    ASSERT_TRUE(std::filesystem::create_directory(dir_ / "folder.eep"));

    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* errorMentions;
    };
    const Case cases[] = {
        {"no file named", {"report"}, "usage"},
        {"two files", {"report", "a.eep", "b.eep"}, "usage"},
        {"--pdf without its file", {"report", "a.eep", "--pdf"}, "usage"},
        {"missing file", {"report", dir_ / "missing.eep"}, "cannot open"},
        {"a directory", {"report", dir_ / "folder.eep"}, "folder.eep"},
        {"longer than the image",
         {"report", writeBytes("long.eep", std::string(65537, '\x01'))},
         "larger than"},
        {"empty file", {"report", writeBytes("empty.eep", {})}, "no settings image"},
        {"text file", {"report", writeBytes("text.eep", "hello world\n")}, "no settings image"},
        {"header checksum off by one",
         {"report", writeBytes("checksum.eep", badChecksum)},
         "no settings image"},
        {"existence period beyond 32-bit ticks",
         {"report", writeImageFile(exampleSettings(), "ticks.eep",
                                   [](EepromImage& image) { image.SetImageByte(0x80, 62); })},
         "ticks.eep: Neznámá chyba"},
    };
    for (const Case& c : cases) {
        const ProgramResult run = runRq7ctl(c.args);
        EXPECT_EQ(run.exitCode, 2) << "case: " << c.name;
        EXPECT_EQ(run.out, "") << "case: " << c.name;
        EXPECT_NE(run.err.find(c.errorMentions), std::string::npos)
            << "case: " << c.name << ", stderr: " << run.err;
    }
}

} // namespace
} // namespace rq7::report
