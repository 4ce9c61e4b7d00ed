#pragma once
// The logical-output dialog: one row of the main window's output table,
// including the impulse name and length that the main window keeps hidden.

#include "ui/dialogs/RowDialog.h"

namespace rq7::ui {

class Vystup : public RowDialog {
    Q_OBJECT
public:
    explicit Vystup(const RowDialogPorts& ports);

    // Edits row i of the output table; no row check follows (the cross rule
    // over all outputs runs before a save to the device).
    void EditOUT(int row);
};

const std::vector<ControlLabel>& vystupLabels();

} // namespace rq7::ui
