#include "report/PrintSettings.h"

#include "report/ReportLines.h"
#include "tests/report/RecordingPrinter.h"
#include "tests/report/ReportSamples.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rq7::report {
namespace {

using testing::PrintedLine;
using testing::RecordingPrinter;
using testing::ScriptedDialog;

// Line height 100 twips: lines are 2 * 100 - 50 = 150 twips apart, and the
// first report line starts below the initial blank, at 200 + 100.
constexpr Twips kHeight = 100;
constexpr Twips kTallPage = 100000;

TEST(PrintSettings, CancelledDialogPrintsNothing) {
    ScriptedDialog dialog(false);
    RecordingPrinter printer(kHeight, kTallPage);
    PrintSettings(dialog, printer, testing::sampleSettings());
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_TRUE(printer.calls.empty()) << "first call: " << printer.calls.front();
}

TEST(PrintSettings, OneDocumentWithTheBlankThenTheReportLines) {
    ScriptedDialog dialog(true);
    RecordingPrinter printer(kHeight, kTallPage);
    const SettingsRecord settings = testing::sampleSettings();
    PrintSettings(dialog, printer, settings);

    EXPECT_EQ(dialog.shown, 1);
    const std::vector<std::string> opening = {"setCurrentX 200", "setCurrentY 200",
                                              "setFontName Arial CE", "setFontSize 7.000000",
                                              "printLine  "};
    ASSERT_GE(printer.calls.size(), opening.size());
    for (std::size_t i = 0; i < opening.size(); ++i)
        EXPECT_EQ(opening[i], printer.calls[i]) << "case: opening call " << i;
    EXPECT_EQ("endDocument", printer.calls.back());
    int ends = 0;
    for (const std::string& call : printer.calls)
        ends += call == "endDocument";
    EXPECT_EQ(ends, 1);

    const std::vector<std::string> expected = reportLines(settings);
    ASSERT_EQ(printer.lines.size(), 1 + expected.size());
    const PrintedLine& blank = printer.lines.front();
    EXPECT_EQ(" ", blank.text);
    EXPECT_EQ(200, blank.x);
    EXPECT_EQ(200, blank.y);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PrintedLine& line = printer.lines[i + 1];
        EXPECT_EQ(expected[i], line.text) << "case: line " << i;
        EXPECT_EQ(200, line.x) << "case: line " << i;
        EXPECT_EQ(300 + 150 * static_cast<Twips>(i), line.y) << "case: line " << i;
        EXPECT_EQ(1, line.page) << "case: line " << i;
        EXPECT_EQ("Arial CE", line.fontName) << "case: line " << i;
        EXPECT_EQ(7.0, line.fontSize) << "case: line " << i;
    }
}

// The i-th report line (0-based) as printed; the blank is not counted.
const PrintedLine& reportLine(const RecordingPrinter& printer, std::size_t i) {
    return printer.lines.at(i + 1);
}

TEST(PrintSettings, PageBreakOnlyOncePastTheLimit) {
    // After k report lines y = 300 + 150 k. A page of 2000 twips has its
    // limit at 1800, reached exactly after the 10th line.
    struct Case {
        const char* name;
        Twips pageHeight;
        int linesOnFirstPage;
    };
    const Case cases[] = {
        {"y exactly on the limit stays on the page", 2000, 11},
        {"y one twip past the limit breaks", 1999, 10},
    };
    for (const Case& c : cases) {
        ScriptedDialog dialog(true);
        RecordingPrinter printer(kHeight, c.pageHeight);
        PrintSettings(dialog, printer, testing::emptySettings());
        const std::size_t last = static_cast<std::size_t>(c.linesOnFirstPage) - 1;
        EXPECT_EQ(1, reportLine(printer, last).page) << "case: " << c.name;
        EXPECT_EQ(300 + 150 * static_cast<Twips>(last), reportLine(printer, last).y)
            << "case: " << c.name;
        const PrintedLine& next = reportLine(printer, last + 1);
        EXPECT_EQ(2, next.page) << "case: " << c.name;
        EXPECT_EQ(200, next.x) << "case: " << c.name;
        EXPECT_EQ(200, next.y) << "case: " << c.name;
        EXPECT_EQ(200 + 150, reportLine(printer, last + 2).y) << "case: " << c.name;
    }
}

TEST(PrintSettings, EveryPageStartsAtTheTopMargin) {
    // On a 2000-twip page the lines after a break sit at 200 + 150 j; the 12th
    // (j = 11) ends at 1850 > 1800, so each later page holds 11 lines. The
    // first page holds 11 too (300 .. 1800), the fifth only the last line.
    ScriptedDialog dialog(true);
    RecordingPrinter printer(kHeight, 2000);
    PrintSettings(dialog, printer, testing::emptySettings());
    ASSERT_EQ(printer.lines.size(), 46u);
    for (std::size_t i = 0; i < 45; ++i) {
        const int page = static_cast<int>(i / 11) + 1;
        const Twips y = i < 11 ? 300 + 150 * static_cast<Twips>(i)
                               : 200 + 150 * static_cast<Twips>((i - 11) % 11);
        EXPECT_EQ(page, reportLine(printer, i).page) << "case: line " << i;
        EXPECT_EQ(y, reportLine(printer, i).y) << "case: line " << i;
    }
    int breaks = 0;
    for (const std::string& call : printer.calls)
        breaks += call == "newPage";
    EXPECT_EQ(breaks, 4);
}

TEST(PrintLine, AdvancesByTheMeasuredHeightMinusTheCut) {
    struct Case {
        Twips height;
        Twips startY;
        Twips expectedY;
    };
    const Case cases[] = {{100, 200, 350}, {163, 1000, 1276}, {25, 0, 0}};
    for (const Case& c : cases) {
        RecordingPrinter printer(c.height, kTallPage);
        printer.setCurrentX(0);
        printer.setCurrentY(c.startY);
        PrintLine(printer, "x");
        EXPECT_EQ(200, printer.lines.back().x) << "case: height " << c.height;
        EXPECT_EQ(c.startY, printer.lines.back().y) << "case: height " << c.height;
        EXPECT_EQ(c.expectedY, printer.currentY()) << "case: height " << c.height;
    }
}

} // namespace
} // namespace rq7::report
