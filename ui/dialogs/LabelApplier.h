#pragma once
// Sets the texts of a window's controls from its label table (LabelText.h).
// Each window's ChangeLanguage is one call of applyLabels.

#include "ui/dialogs/LabelText.h"

#include <QStringList>

class QWidget;

namespace rq7::ui {

// The control named `name` under `root`, or root itself when it bears the name.
QWidget* findControl(QWidget* root, const QString& name);

// Applies every label of the table; returns the controls it did not find.
QStringList applyLabels(QWidget* root, const std::vector<ControlLabel>& labels, const Texts& texts);

} // namespace rq7::ui
