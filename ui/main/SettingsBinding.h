#pragma once
// Binds every field of the settings record to the main-window control of
// the same name, through the settings field table: "tabPIN" is the control
// tabPIN, the row field "tabTC(3)" is the control tabTC_3. Text boxes get the
// field's typing limit. record() reads the controls, apply() sets them;
// setting a check box raises its handlers, as the settings' owner expects.

#include "settings/SettingsFields.h"
#include "settings/SettingsRecord.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class QObject;
class QWidget;

namespace rq7::ui {

// "tabPIN", "tabTC_3".
QString controlName(const SettingsField& field);

class SettingsBinding {
public:
    explicit SettingsBinding(QWidget* window);

    SettingsRecord record() const;
    void apply(const SettingsRecord& record) const;
    // Calls `changed` (in `context`) whenever a bound control's value
    // changes, typed or set.
    void onAnyChange(QObject* context, const std::function<void()>& changed) const;

    // The control of a field, or nullptr.
    QWidget* control(const SettingsField& field) const;
    // Fields without a control of the right kind (empty when complete).
    const QStringList& missing() const { return missing_; }

private:
    std::vector<std::pair<const SettingsField*, QWidget*>> bound_;
    QStringList missing_;
};

} // namespace rq7::ui
