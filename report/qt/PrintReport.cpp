#include "report/qt/PrintReport.h"

#include "report/PrintSettings.h"
#include "report/qt/QtPrintDialog.h"
#include "report/qt/QtPrinter.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>

namespace rq7::report {

bool printSettingsReport(const SettingsRecord& settings, QWidget* parent) {
    // A fresh printer each time: the report keeps nothing between runs.
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in print queues, and the name the dialog proposes when
    // the report goes to a PDF file.
    printer.setDocName(QStringLiteral("RQ7 Init"));
    QtPrintDialog dialog(printer, parent);
    QtPrinter output(printer);
    PrintSettings(dialog, output, settings);
    return !output.failed();
}

namespace {

// The printer is chosen before the report starts: nothing to ask.
class ChosenPrinter final : public PrintDialog {
public:
    bool choosePrinter() override { return true; }
};

} // namespace

bool printSettingsReportToPdf(const SettingsRecord& settings, const std::string& path,
                              std::string& error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("RQ7 Init"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setPageSize(QPageSize(QPageSize::A4));
    ChosenPrinter dialog;
    QtPrinter output(printer);
    PrintSettings(dialog, output, settings);
    // QPrinter writes the file as it goes; a directory that does not exist
    // or cannot be written shows only as a painter that would not start.
    if (output.failed() || !QFileInfo(QString::fromStdString(path)).isFile()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace rq7::report
