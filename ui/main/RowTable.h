#pragma once
// The three tables of the main window whose rows have a dialog.

namespace rq7::ui {

enum class RowTable { Telephone, Input, Output };

} // namespace rq7::ui
