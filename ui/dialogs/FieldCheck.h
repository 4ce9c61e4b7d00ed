#pragma once
// Leaving a text field, for every window: the field's checks from the rules
// table, then either its replacement text (ClampNumber, completed telephone
// numbers) or the standard rejection: the message, the field's page to the
// front (main window only), the focus back on the field, the text kept as
// typed. Only the first failing check is reported.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/rules/FieldRules.h"
#include "ui/main/rules/ValidationState.h"

#include <functional>
#include <string_view>

class QWidget;

namespace rq7::ui {

struct LeaveContext {
    rules::ValidationState& state;
    const Texts& texts;
    Prompter& prompter;
    // Brings a page of the window's tab control to the front; empty in dialogs.
    std::function<void(int page)> showPage;
};

// Runs the checks of `fieldName` ("tabPIN", "tabTC_3", "INPZap") on the
// field's text and acts on the outcome; returns it for the caller's own
// follow-up (CheckPhoneFlags after an emptied number).
rules::CheckResult checkOnLeave(QWidget* field, std::string_view fieldName,
                                const rules::FieldContext& context, LeaveContext& leave);

// Message, page, focus back; the text stays.
void rejectField(QWidget* field, const Message& message, int page, LeaveContext& leave);

// The focus on a rejected field, its window activated and its whole text
// selected, as after every rejection.
void focusWithTextSelected(QWidget* field);

} // namespace rq7::ui
