#include "report/PrintSettings.h"

#include "report/ReportLines.h"

namespace rq7::report {

void PrintLine(Printer& printer, const std::string& text) {
    printer.setCurrentX(kLeftMargin);
    printer.printLine(text);
    // The line break already moved y by one line height; the report spaces
    // its lines wider than that.
    printer.setCurrentY(printer.currentY() + printer.textHeight(text) - kLineGapCut);
    // Strictly greater: a line ending exactly on the limit keeps the page.
    if (printer.currentY() > printer.pageHeight() - kBottomMargin) {
        printer.newPage();
        printer.setCurrentX(kLeftMargin);
        printer.setCurrentY(kTopMargin);
    }
}

void PrintSettings(PrintDialog& dialog, Printer& printer, const SettingsRecord& settings) {
    if (!dialog.choosePrinter())
        return;
    printer.setCurrentX(kLeftMargin);
    printer.setCurrentY(kTopMargin);
    printer.setFontName(kFontName);
    printer.setFontSize(kFontSize);
    // A blank printed directly, outside the page-break logic, opens the job.
    printer.printLine(" ");
    for (const std::string& line : reportLines(settings))
        PrintLine(printer, line);
    printer.endDocument();
}

} // namespace rq7::report
