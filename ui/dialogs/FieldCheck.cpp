#include "ui/dialogs/FieldCheck.h"

#include "ui/dialogs/Controls.h"

#include <QLineEdit>
#include <QWidget>

namespace rq7::ui {

rules::CheckResult checkOnLeave(QWidget* field, std::string_view fieldName,
                                const rules::FieldContext& context, LeaveContext& leave) {
    const std::string text = controlText(field);
    rules::CheckResult result =
        rules::CheckField(fieldName, text, context, leave.state, leave.texts);
    switch (result.outcome) {
    case rules::CheckResult::Outcome::Replace:
        if (result.replacement != text)
            setControlText(field, result.replacement);
        break;
    case rules::CheckResult::Outcome::Reject:
        rejectField(field, result.message, result.page, leave);
        break;
    case rules::CheckResult::Outcome::Accept:
        break;
    }
    return result;
}

void rejectField(QWidget* field, const Message& message, int page, LeaveContext& leave) {
    leave.prompter.ask(message);
    if (page != rules::kNoPage && leave.showPage)
        leave.showPage(page);
    focusWithTextSelected(field);
}

void focusWithTextSelected(QWidget* field) {
    // A message box has had the activation; the window may not have it back
    // yet, and a focus that arrives with the activation selects nothing.
    if (QWidget* window = field->window(); !window->isActiveWindow())
        window->activateWindow();
    field->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = lineEditOf(field))
        edit->selectAll();
}

} // namespace rq7::ui
