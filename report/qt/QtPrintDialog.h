#pragma once
// The printer-selection dialog on Qt's print dialog, which also offers
// printing to a PDF file. The choice is stored in the given QPrinter.

#include "report/Printer.h"

class QPrinter;
class QWidget;

namespace rq7::report {

class QtPrintDialog final : public PrintDialog {
public:
    QtPrintDialog(QPrinter& printer, QWidget* parent) : printer_(printer), parent_(parent) {}
    bool choosePrinter() override;

private:
    QPrinter& printer_;
    QWidget* parent_;
};

} // namespace rq7::report
