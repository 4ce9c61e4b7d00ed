#include "ui/main/MainFields.h"

#include "settings/SettingsFields.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/FieldWatcher.h"
#include "ui/main/SettingsBinding.h"
#include "ui/main/rules/PhoneFlagRules.h"

#include <QWidget>
#include <algorithm>
#include <array>
#include <optional>

namespace rq7::ui {

namespace {

constexpr std::array<std::string_view, 14> kCounted = {
    "tabJmenoStanice", "tabPIN",    "tabTCcentra", "rtNotAuthorized", "tabTC",
    "tabINPNazev",     "tabINPZap", "tabINPVyp",   "tabINPLH",        "tabINPHL",
    "tabOUTNazev",     "tabOUTZap", "tabOUTVyp",   "tabOUTimpuls"};

constexpr const char* kPrefixField = "tabUTO";

std::optional<RowTable> tableOf(FieldGroup group) {
    switch (group) {
    case FieldGroup::Telephone:
        return RowTable::Telephone;
    case FieldGroup::Input:
        return RowTable::Input;
    case FieldGroup::Output:
        return RowTable::Output;
    default:
        return std::nullopt;
    }
}

// What leaving one field does; false when its text was rejected.
bool leaveField(QWidget* window, QWidget* field, const std::string& name, std::optional<int> row,
                const MainFieldHooks& hooks) {
    const rules::FieldRule* rule = rules::FindRule(name);
    std::string sister;
    if (rule && !rule->sister.empty() && row)
        if (QWidget* other =
                window->findChild<QWidget*>(rowName(std::string(rule->sister).c_str(), *row)))
            sister = controlText(other);
    std::string prefix;
    if (QWidget* prefixField = window->findChild<QWidget*>(QString::fromLatin1(kPrefixField)))
        prefix = controlText(prefixField);

    rules::FieldContext context;
    context.sisterText = sister;
    context.prefix = prefix;
    const rules::CheckResult result = checkOnLeave(field, name, context, hooks.leave);
    if (result.runPhoneFlags && row)
        rules::CheckPhoneFlags(hooks.phoneRows, *row, hooks.leave.state, hooks.leave.texts,
                               hooks.leave.prompter);
    return !result.rejected();
}

void watchField(QWidget* window, FieldWatcher& watcher, QWidget* field, const std::string& base,
                std::optional<int> row, std::optional<RowTable> table,
                const MainFieldHooks& hooks) {
    const std::string name = field->objectName().toStdString();
    FieldHandlers handlers;
    const rules::FieldRule* rule = rules::FindRule(name);
    if (rule && !rule->checks.empty())
        handlers.onLeave = [window, field, name, row, &hooks] {
            return leaveField(window, field, name, row, hooks);
        };
    if (isCountedField(base))
        handlers.onChange = hooks.updateMemoryUsage;
    if (table && row)
        handlers.onDoubleClick = [&hooks, table, row] { hooks.editRow(*table, *row); };
    watcher.watch(field, std::move(handlers));
}

} // namespace

bool isCountedField(std::string_view controlStem) {
    return std::find(kCounted.begin(), kCounted.end(), controlStem) != kCounted.end();
}

void wireMainFields(QWidget* window, FieldWatcher& watcher, const MainFieldHooks& hooks) {
    for (const SettingsField& field : settingsFields()) {
        if (field.kind() != FieldKind::Text)
            continue;
        QWidget* control = window->findChild<QWidget*>(controlName(field));
        if (!control)
            continue;
        std::optional<int> row;
        if (field.row() >= 0)
            row = field.row();
        watchField(window, watcher, control, field.base(), row, tableOf(field.group()), hooks);
    }
    if (QWidget* prefix = window->findChild<QWidget*>(QString::fromLatin1(kPrefixField)))
        watchField(window, watcher, prefix, kPrefixField, std::nullopt, std::nullopt, hooks);
}

} // namespace rq7::ui
