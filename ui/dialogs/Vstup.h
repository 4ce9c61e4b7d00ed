#pragma once
// The logical-input dialog: the nine fields of one row of the main window's
// input table in a readable layout.

#include "ui/dialogs/RowDialog.h"

namespace rq7::ui {

class Vstup : public RowDialog {
    Q_OBJECT
public:
    explicit Vstup(const RowDialogPorts& ports);

    // Edits row i of the input table; no row check follows.
    void EditINP(int row);
};

const std::vector<ControlLabel>& vstupLabels();

} // namespace rq7::ui
