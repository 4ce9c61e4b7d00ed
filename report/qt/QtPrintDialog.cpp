#include "report/qt/QtPrintDialog.h"

#include <QPrintDialog>

namespace rq7::report {

bool QtPrintDialog::choosePrinter() {
    QPrintDialog dialog(&printer_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace rq7::report
