#pragma once
// The common field pattern on every editable text of the main window:
// select-all on focus, UpdateMemoryUsage on every change of a field counted
// in the settings size (and only those), the field's checks from the rules
// table when it is left, CheckPhoneFlags after an emptied telephone number,
// and the row dialog on a double click into a table row.

#include "ui/dialogs/FieldCheck.h"
#include "ui/main/RowTable.h"
#include "ui/main/rules/PhoneRows.h"

#include <functional>
#include <string_view>

class QWidget;

namespace rq7::ui {

class FieldWatcher;

// Fields whose text is counted in the settings size and that have a change
// handler: every counted field except the hidden rtReCall.
bool isCountedField(std::string_view controlStem);

struct MainFieldHooks {
    LeaveContext& leave;
    rules::PhoneRows& phoneRows;
    std::function<void()> updateMemoryUsage;
    std::function<void(RowTable, int row)> editRow;
};

// Watches every text field of the settings and the default prefix tabUTO.
// `hooks` is kept by reference and must live as long as the window.
void wireMainFields(QWidget* window, FieldWatcher& watcher, const MainFieldHooks& hooks);

} // namespace rq7::ui
