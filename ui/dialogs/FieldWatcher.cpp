#include "ui/dialogs/FieldWatcher.h"

#include "ui/dialogs/Controls.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace rq7::ui {

namespace {

// Focus that leaves the window (a message box, another program, a drop-down
// list) is not the user leaving the field.
bool leavesWindow(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

FieldWatcher::FieldWatcher(QObject* parent) : QObject(parent) {}

void FieldWatcher::watch(QWidget* field, FieldHandlers handlers) {
    QLineEdit* edit = lineEditOf(field);
    Q_ASSERT(edit);
    if (handlers.onChange) {
        auto onChange = handlers.onChange;
        if (auto* combo = qobject_cast<QComboBox*>(field))
            connect(combo, &QComboBox::editTextChanged, this, [onChange] { onChange(); });
        else
            connect(edit, &QLineEdit::textChanged, this, [onChange] { onChange(); });
    }
    field->installEventFilter(this);
    if (edit != field)
        edit->installEventFilter(this); // double clicks reach the combo's line edit
    fields_.insert(field, Entry{std::move(handlers), false});
    connect(field, &QObject::destroyed, this, [this](QObject* gone) { fields_.remove(gone); });
}

bool FieldWatcher::eventFilter(QObject* watched, QEvent* event) {
    QObject* key = watched;
    if (!fields_.contains(key) && watched->parent() && fields_.contains(watched->parent()))
        key = watched->parent(); // the line edit of a watched combo
    auto found = fields_.find(key);
    if (found == fields_.end())
        return false;
    auto* field = static_cast<QWidget*>(key);

    switch (event->type()) {
    case QEvent::FocusIn:
        if (key == watched && !leavesWindow(static_cast<QFocusEvent*>(event)->reason()))
            selectAll(field);
        break;
    case QEvent::FocusOut:
        if (key == watched && !busy_ && !leavesWindow(static_cast<QFocusEvent*>(event)->reason()))
            scheduleLeave(field);
        break;
    case QEvent::MouseButtonDblClick:
        if (found->handlers.onDoubleClick) {
            found->handlers.onDoubleClick();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void FieldWatcher::selectAll(QWidget* field) {
    QLineEdit* edit = lineEditOf(field);
    edit->selectAll();
    // A mouse click that gave the focus places the cursor after this event;
    // select again once it has.
    QTimer::singleShot(0, edit, [edit] {
        if (edit->hasFocus() || (edit->parentWidget() && edit->parentWidget()->hasFocus()))
            edit->selectAll();
    });
}

void FieldWatcher::scheduleLeave(QWidget* field) {
    Entry& entry = fields_[field];
    if (entry.pending || !entry.handlers.onLeave)
        return;
    entry.pending = true;
    QPointer<QWidget> guarded(field);
    QMetaObject::invokeMethod(
        this, [this, guarded] { runLeave(guarded); }, Qt::QueuedConnection);
}

void FieldWatcher::runLeave(QPointer<QWidget> field) {
    if (!field)
        return;
    auto found = fields_.find(field.data());
    // Not pending any more: settle() has run it already.
    if (found == fields_.end() || !found->pending)
        return;
    found->pending = false;
    // A leave queued before another field's handler started and reached
    // while that handler waits in a message box: that handler is about to
    // put the focus back on its own field, so this leave is void.
    if (busy_)
        return;
    leaveNow(field.data());
}

bool FieldWatcher::leaveNow(QWidget* field) {
    const auto onLeave = fields_.value(field).handlers.onLeave; // it may re-enter watch()
    if (!onLeave)
        return true;
    busy_ = true;
    ++leaveCount_;
    const bool accepted = onLeave();
    busy_ = false;
    return accepted;
}

bool FieldWatcher::settle() {
    if (busy_)
        return false;
    std::vector<QPointer<QWidget>> due;
    for (auto it = fields_.begin(); it != fields_.end(); ++it)
        if (it->pending) {
            it->pending = false;
            due.emplace_back(static_cast<QWidget*>(it.key()));
        }
    QObject* focused = QApplication::focusWidget();
    if (focused && !fields_.contains(focused) && fields_.contains(focused->parent()))
        focused = focused->parent(); // the line edit of a watched combo
    if (focused && fields_.contains(focused) &&
        std::find(due.begin(), due.end(), focused) == due.end())
        due.emplace_back(static_cast<QWidget*>(focused));
    for (std::size_t i = 0; i < due.size(); ++i)
        if (due[i] && !leaveNow(due[i].data()))
            return false; // the rest is void, as after any rejection
    return true;
}

} // namespace rq7::ui
