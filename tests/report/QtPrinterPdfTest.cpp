#include "report/PrintSettings.h"
#include "report/ReportLines.h"
#include "report/qt/QtPrinter.h"
#include "tests/report/RecordingPrinter.h"
#include "tests/report/ReportSamples.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace rq7::report {
namespace {

using testing::ScriptedDialog;

class QtPrinterPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "report_qt_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }

    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
        ASSERT_TRUE(dir_.isValid());
    }

    // A PDF printer with the paper's own corner as origin, so the page height
    // is the paper height.
    static void setUpPdf(QPrinter& printer, const QString& path, const QPageSize& size) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(size);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        printer.setFullPage(true);
    }

    // Line height of the report font on this printer.
    static Twips reportLineHeight(QPrinter& printer) {
        QtPrinter probe(printer);
        probe.setFontName(kFontName);
        probe.setFontSize(kFontSize);
        return probe.textHeight(" ");
    }

    static bool print(QPrinter& printer, const SettingsRecord& settings) {
        ScriptedDialog dialog(true);
        QtPrinter output(printer);
        PrintSettings(dialog, output, settings);
        return !output.failed();
    }

    // The pages of the PDF as pdftotext extracts them, in order.
    static QStringList pdfPages(const QString& path) {
        QProcess tool;
        tool.start("pdftotext", {"-layout", "-enc", "UTF-8", path, "-"});
        if (!tool.waitForFinished(-1) || tool.exitCode() != 0)
            return {};
        QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
            pages.removeLast(); // text after the last page's form feed
        return pages;
    }

    static QString q(const std::string& text) { return QString::fromStdString(text); }

    static std::unique_ptr<QGuiApplication> app_;
    QTemporaryDir dir_;
};

std::unique_ptr<QGuiApplication> QtPrinterPdf::app_;

TEST_F(QtPrinterPdf, A4ReportIsOnePageWithEveryLineInOrder) {
    const QString path = dir_.filePath("a4.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, path, QPageSize(QPageSize::A4));
    const SettingsRecord settings = testing::sampleSettings();
    ASSERT_TRUE(print(printer, settings));

    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 1);
    // Every line that fits the paper's width appears, in report order; the
    // rules run past the right edge and are cut there.
    qsizetype from = 0;
    for (const std::string& line : reportLines(settings)) {
        const QString text = q(line).trimmed();
        if (text.isEmpty() || text.startsWith('='))
            continue;
        const qsizetype at = pages[0].indexOf(text, from);
        EXPECT_GE(at, 0) << "case: line not found after the previous one: " << line;
        if (at >= 0)
            from = at + text.size();
    }
    EXPECT_TRUE(pages[0].contains(QString(60, '='))) << "a rule is missing";
}

TEST_F(QtPrinterPdf, LinesSitWhereTheirTwipsSay) {
    // pdftotext -bbox gives every word's box in points (20 twips). The first
    // word of each line starts 200 twips from the left edge, and the lines'
    // baselines are 2 h - 50 twips apart.
    const QString path = dir_.filePath("geometry.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, path, QPageSize(QPageSize::A4));
    const Twips h = reportLineHeight(printer);
    // A 7-point line is between 7 and 11 points high (140 to 220 twips).
    EXPECT_GT(h, 140);
    EXPECT_LT(h, 220);
    ASSERT_TRUE(print(printer, testing::sampleSettings()));

    QProcess tool;
    tool.start("pdftotext", {"-bbox", path, "-"});
    ASSERT_TRUE(tool.waitForFinished(-1));
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re");
    // Baseline-ish bottom of the first word of each line, keyed by yMax.
    std::vector<std::pair<double, double>> starts; // (xMin, yMax)
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const double x = m.captured(1).toDouble();
        const double yMax = m.captured(3).toDouble();
        if (starts.empty() || yMax - starts.back().second > 1.0)
            starts.emplace_back(x, yMax);
    }
    // The 41 lines with text (the four empty lines print nothing).
    ASSERT_EQ(starts.size(), 41u);
    for (std::size_t i = 0; i < starts.size(); ++i)
        EXPECT_NEAR(starts[i].first, 200 / 20.0, 1.0) << "case: left edge of line " << i;
    // Lines 0..9 are "VŠEOBECNÉ", the rule and the nine general lines: no
    // empty line between them, so consecutive baselines are one step apart.
    const double step = (2 * h - 50) / 20.0;
    for (std::size_t i = 1; i < 11; ++i)
        EXPECT_NEAR(starts[i].second - starts[i - 1].second, step, 0.5)
            << "case: gap above line " << i;
    // The first report line (empty) follows the blank at 200 + h; the
    // heading comes one step later.
    const double headingTop = (200 + h + (2 * h - 50)) / 20.0;
    EXPECT_GT(starts[0].second, headingTop);
    EXPECT_LT(starts[0].second, headingTop + h / 20.0 + 0.5);
}

TEST_F(QtPrinterPdf, BreaksOntoASecondPageAtTheLimit) {
    // The report lines start below the blank at 200 + h and are a step
    // apart. A paper whose limit (height - 200) lies half a step above where
    // the 30th line ends gets 30 lines on its first page.
    QPrinter probePrinter(QPrinter::HighResolution);
    setUpPdf(probePrinter, dir_.filePath("probe.pdf"), QPageSize(QPageSize::A6));
    const Twips h = reportLineHeight(probePrinter);
    const double step = 2 * h - 50;
    const double paper = (200 + h) + 29.5 * step + 200;

    const QString path = dir_.filePath("two.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, path, QPageSize(QSizeF(420, paper / 20.0), QPageSize::Point, "report"));
    const SettingsRecord settings = testing::sampleSettings();
    ASSERT_TRUE(print(printer, settings));

    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 2);
    const std::vector<std::string> lines = reportLines(settings);
    // Report line 29 is I3, line 30 is I4.
    EXPECT_TRUE(pages[0].contains(q(lines[29]).trimmed())) << pages[0].toStdString();
    EXPECT_FALSE(pages[0].contains(q(lines[30]).trimmed()));
    EXPECT_TRUE(pages[1].trimmed().startsWith(q(lines[30]).trimmed())) << pages[1].toStdString();
    EXPECT_TRUE(pages[1].contains(q(lines[44]).trimmed()));
}

TEST_F(QtPrinterPdf, BreakAfterTheLastLineLeavesNoBlankPage) {
    // The last (45th) line still fits, but y passes the limit after it.
    QPrinter probePrinter(QPrinter::HighResolution);
    setUpPdf(probePrinter, dir_.filePath("probe.pdf"), QPageSize(QPageSize::A4));
    const Twips h = reportLineHeight(probePrinter);
    const double step = 2 * h - 50;
    const double paper = (200 + h) + 44.5 * step + 200;

    const QString path = dir_.filePath("last.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, path, QPageSize(QSizeF(420, paper / 20.0), QPageSize::Point, "report"));
    ASSERT_TRUE(print(printer, testing::sampleSettings()));
    EXPECT_EQ(pdfPages(path).size(), 1);
}

TEST_F(QtPrinterPdf, UnwritableOutputIsReportedAsFailure) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, dir_.filePath("missing/dir/out.pdf"), QPageSize(QPageSize::A4));
    EXPECT_FALSE(print(printer, testing::sampleSettings()));
}

} // namespace
} // namespace rq7::report
