#pragma once
// The telephone-number dialog: one row of the main window's telephone table
// (number and the accept, alarm and event flags; the alarm flag is hidden
// here as on the main window, but travels with the row).

#include "ui/dialogs/RowDialog.h"

namespace rq7::ui {

class TelCislo : public RowDialog {
    Q_OBJECT
public:
    explicit TelCislo(const RowDialogPorts& ports);

    // Edits row i of the telephone table, then checks the row's flags
    // (CheckPhoneFlags), whether the dialog was confirmed or cancelled.
    void EditTC(int row);
};

// The captions of the dialog's controls (for ChangeLanguage and the tests).
const std::vector<ControlLabel>& telCisloLabels();

} // namespace rq7::ui
