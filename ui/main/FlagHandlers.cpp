#include "ui/main/FlagHandlers.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"
#include "ui/main/rules/PhoneFlagRules.h"

#include <QCheckBox>
#include <QWidget>

namespace rq7::ui {

namespace {

const char* stemOf(rules::PhoneFlag which) {
    switch (which) {
    case rules::PhoneFlag::Prijem:
        return "tabTCPrijem";
    case rules::PhoneFlag::Poplach:
        return "tabTCPoplach";
    case rules::PhoneFlag::Udalost:
        break;
    }
    return "tabTCUdalost";
}

QCheckBox* box(QWidget* window, const QString& name) {
    return window->findChild<QCheckBox*>(name);
}

void enableWhenSet(QWidget* window, QCheckBox* flag, const QStringList& controls) {
    const auto follow = [window, flag, controls] {
        const bool on = controlFlag(flag) == kFlagOn;
        for (const QString& name : controls)
            if (QWidget* control = window->findChild<QWidget*>(name))
                control->setEnabled(on);
    };
    QObject::connect(flag, &QCheckBox::stateChanged, flag, follow);
    follow();
}

} // namespace

QWidget* WindowPhoneRows::control(const char* stem, int row) const {
    return window_->findChild<QWidget*>(rowName(stem, row));
}

QWidget* WindowPhoneRows::flagBox(int row, rules::PhoneFlag which) const {
    return control(stemOf(which), row);
}

std::string WindowPhoneRows::number(int row) const {
    QWidget* field = control("tabTC", row);
    return field ? controlText(field) : std::string();
}

Flag WindowPhoneRows::flag(int row, rules::PhoneFlag which) const {
    QWidget* flag = flagBox(row, which);
    return flag ? controlFlag(flag) : kFlagOff;
}

void WindowPhoneRows::setFlag(int row, rules::PhoneFlag which, Flag value) {
    if (QWidget* flag = flagBox(row, which))
        setControlFlag(flag, value);
}

void wireFlagHandlers(QWidget* window, const FlagHooks& hooks) {
    for (int row = 0; row < kRowCount; ++row) {
        for (const char* stem : {"tabTCPrijem", "tabTCUdalost"})
            if (QCheckBox* flag = box(window, rowName(stem, row)))
                QObject::connect(flag, &QCheckBox::stateChanged, flag, [&hooks, row] {
                    rules::CheckPhoneFlags(hooks.phoneRows, row, hooks.state, hooks.texts,
                                           hooks.prompter);
                });
        if (QCheckBox* alarm = box(window, rowName("tabTCPoplach", row)))
            QObject::connect(alarm, &QCheckBox::stateChanged, alarm, [&hooks, row] {
                rules::SingleAlarmRule(hooks.phoneRows, row, hooks.state, hooks.texts,
                                       hooks.prompter);
            });
    }
    if (QCheckBox* notAuthorized = box(window, QStringLiteral("opNotAuthorized")))
        enableWhenSet(window, notAuthorized, {QStringLiteral("rtNotAuthorized")});
    if (QCheckBox* exist = box(window, QStringLiteral("opExist")))
        enableWhenSet(window, exist,
                      {QStringLiteral("rtReCall"), QStringLiteral("eeExistTime"),
                       QStringLiteral("txtReCall"), QStringLiteral("txteeExistTime"),
                       QStringLiteral("txt2eeExistTime")});
}

} // namespace rq7::ui
