#include "report/qt/PrintReport.h"

#include "report/PrintSettings.h"
#include "report/qt/QtPrintDialog.h"
#include "report/qt/QtPrinter.h"

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

} // namespace rq7::report
