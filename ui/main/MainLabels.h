#pragma once
// The texts of the main window's controls, in labelling order. Hlavni's
// ChangeLanguage applies this table; controls whose text does not come from
// it: the row titles (T0, I0, O0 ...), the port names, the "?" device data
// and the connection-state display (ConnectionView.h).

#include "ui/dialogs/LabelText.h"

#include <vector>

namespace rq7::ui {

const std::vector<ControlLabel>& mainWindowLabels();

} // namespace rq7::ui
