#pragma once
// What a row dialog reaches outside itself. The owner is the main window:
// the dialog is modal to it, and the rows it edits are the owner's controls,
// found by name ("tabTC_3"), so that writing them back raises the owner's
// own change and click handlers as a user edit would.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/rules/PhoneRows.h"
#include "ui/main/rules/ValidationState.h"

#include <functional>

class QWidget;

namespace rq7::ui {

struct RowDialogPorts {
    QWidget* owner;
    const Texts& texts;
    Prompter& prompter;
    // The owner's guards: the state-name bounce spans the window and its dialogs.
    rules::ValidationState& validation;
    // The owner's telephone rows, for the flag check after the telephone dialog.
    rules::PhoneRows& phoneRows;
    // UpdateMemoryUsage of the owner.
    std::function<void()> updateMemoryUsage;
};

} // namespace rq7::ui
