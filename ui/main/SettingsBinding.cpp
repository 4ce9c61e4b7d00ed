#include "ui/main/SettingsBinding.h"

#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace rq7::ui {

namespace {

bool fitsKind(const QWidget* control, FieldKind kind) {
    switch (kind) {
    case FieldKind::Text:
        return qobject_cast<const QLineEdit*>(control) ||
               (qobject_cast<const QComboBox*>(control) &&
                static_cast<const QComboBox*>(control)->isEditable());
    case FieldKind::CheckBox:
        return qobject_cast<const QCheckBox*>(control);
    case FieldKind::Choice:
        return qobject_cast<const QComboBox*>(control);
    }
    return false;
}

} // namespace

QString controlName(const SettingsField& field) {
    const QString base = QString::fromStdString(field.base());
    return field.row() < 0 ? base : base + QLatin1Char('_') + QString::number(field.row());
}

SettingsBinding::SettingsBinding(QWidget* window) {
    for (const SettingsField& field : settingsFields()) {
        auto* control = window->findChild<QWidget*>(controlName(field));
        if (!control || !fitsKind(control, field.kind())) {
            missing_ << controlName(field);
            continue;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(control); edit && field.maxWidth() > 0)
            edit->setMaxLength(field.maxWidth());
        bound_.emplace_back(&field, control);
    }
}

SettingsRecord SettingsBinding::record() const {
    SettingsRecord record;
    for (const auto& [field, control] : bound_) {
        if (field->kind() == FieldKind::CheckBox)
            field->flag(record) = controlFlag(control);
        else
            field->text(record) = controlText(control);
    }
    return record;
}

void SettingsBinding::apply(const SettingsRecord& record) const {
    for (const auto& [field, control] : bound_) {
        if (field->kind() == FieldKind::CheckBox)
            setControlFlag(control, field->flag(record));
        else
            setControlText(control, field->text(record));
    }
}

void SettingsBinding::onAnyChange(QObject* context, const std::function<void()>& changed) const {
    for (const auto& [field, control] : bound_) {
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            QObject::connect(edit, &QLineEdit::textChanged, context, changed);
        else if (auto* check = qobject_cast<QCheckBox*>(control))
            QObject::connect(check, &QCheckBox::stateChanged, context, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            QObject::connect(combo, &QComboBox::currentTextChanged, context, changed);
    }
}

QWidget* SettingsBinding::control(const SettingsField& field) const {
    for (const auto& [bound, control] : bound_)
        if (bound == &field)
            return control;
    return nullptr;
}

} // namespace rq7::ui
