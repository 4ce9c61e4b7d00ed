#include "ui/dialogs/RowDialog.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/FieldWatcher.h"
#include "ui/dialogs/LabelApplier.h"
#include "ui/main/rules/FieldRules.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace rq7::ui {

namespace {

constexpr const char* kPrefixField = "tabUTO"; // the owner's default prefix
constexpr int kFieldWidthChars = 32;

// A check box's value or a text, as the control holds it.
void copyValue(const QWidget* from, QWidget* to) {
    if (qobject_cast<const QCheckBox*>(from))
        setControlFlag(to, controlFlag(from));
    else
        setControlText(to, controlText(from));
}

} // namespace

RowDialog::RowDialog(const RowDialogPorts& ports, const QString& name)
    : QDialog(ports.owner),
      ports_(ports), leave_{ports.validation, ports.texts, ports.prompter, {}},
      watcher_(new FieldWatcher(this)) {
    setObjectName(name);
    setModal(true);
}

RowDialog::~RowDialog() = default;

QLineEdit* RowDialog::makeField(const char* name) {
    const rules::FieldRule& rule = rules::RuleFor(name);
    QLineEdit* field = makeText(this, QString::fromLatin1(name), rule.maxLength);
    // A short field (the impulse length) keeps its width; the others grow with the dialog.
    const bool shortField = rule.maxLength + 2 < kFieldWidthChars;
    setWidthInChars(field, std::min(kFieldWidthChars, rule.maxLength + 2), shortField);
    return field;
}

QPushButton* RowDialog::makeOkButton() {
    QPushButton* ok = makeButton(this, QStringLiteral("btOk"));
    ok->setDefault(true);     // Enter
    ok->setAutoDefault(true); // Enter on the focused button clicks that button
    connect(ok, &QPushButton::clicked, this, &RowDialog::accept);
    return ok;
}

QPushButton* RowDialog::makeStornoButton() {
    QPushButton* storno = makeButton(this, QStringLiteral("btStorno"));
    storno->setAutoDefault(true);
    connect(storno, &QPushButton::clicked, this, &RowDialog::reject); // Esc too
    return storno;
}

void RowDialog::layOutWithButtons(std::initializer_list<QWidget*> groups) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(makeOkButton());
    buttons->addWidget(makeStornoButton());
    auto* column = new QVBoxLayout(this);
    for (QWidget* group : groups)
        column->addWidget(group);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void RowDialog::setUp(const RowDialogSetup& setup) {
    setup_ = setup;
    QWidget* previous = nullptr;
    for (const char* name : setup_.tabOrder) {
        QWidget* current = control(name);
        Q_ASSERT(current);
        if (previous)
            setTabOrder(previous, current);
        previous = current;
        if (auto* button = qobject_cast<QPushButton*>(current))
            button->setFocusPolicy(Qt::TabFocus); // a click leaves the focus in the field
        auto* field = qobject_cast<QLineEdit*>(current);
        if (!field)
            continue;
        fields_.push_back(field);
        FieldHandlers handlers;
        const rules::FieldRule* rule = rules::FindRule(field->objectName().toStdString());
        if (rule && !rule->checks.empty())
            handlers.onLeave = [this, field] { return checkField(field); };
        const auto& counted = setup_.countedFields;
        if (std::any_of(counted.begin(), counted.end(),
                        [&](const char* c) { return field->objectName() == QLatin1String(c); }))
            handlers.onChange = [this] {
                if (ports_.updateMemoryUsage)
                    ports_.updateMemoryUsage();
            };
        watcher_->watch(field, std::move(handlers));
    }
    ChangeLanguage();
}

void RowDialog::ChangeLanguage() {
    const QStringList missing = applyLabels(this, *setup_.labels, ports_.texts);
    Q_ASSERT(missing.isEmpty());
}

QWidget* RowDialog::control(const char* name) const {
    return findChild<QWidget*>(QString::fromLatin1(name));
}

QWidget* RowDialog::mainControl(const char* stem, int row) const {
    return ports_.owner ? ports_.owner->findChild<QWidget*>(rowName(stem, row)) : nullptr;
}

bool RowDialog::editRow(int row) {
    if (row < 0 || row >= kRowCount || isVisible())
        return false;
    setWindowTitle(QString::fromStdString(ports_.texts.get(setup_.captionKey)) +
                   QStringLiteral(" %1%2").arg(QLatin1Char(setup_.rowLetter)).arg(row));
    copyIn(row);
    cancelFlag_ = false;
    resetFocus();
    exec();
    // A leave queued by the last focus move must not reach the next edit's
    // fields; run it now, while the dialog is hidden, so that it stays silent.
    QCoreApplication::sendPostedEvents(watcher_, QEvent::MetaCall);
    // A bounce of this dialog's state names guards only its own fields.
    ports_.validation.endBounce();
    if (cancelFlag_)
        return false;
    copyBack(row);
    return true;
}

void RowDialog::copyIn(int row) {
    for (const RowField& field : setup_.fields)
        if (QWidget* from = mainControl(field.mainStem, row))
            copyValue(from, control(field.dialogControl));
}

void RowDialog::copyBack(int row) {
    for (const RowField& field : setup_.fields)
        if (QWidget* to = mainControl(field.mainStem, row))
            copyValue(control(field.dialogControl), to);
}

void RowDialog::resetFocus() {
    // Every edit starts in the first field with its text selected, whatever
    // had the focus when the dialog was last hidden.
    if (fields_.empty())
        return;
    QLineEdit* first = fields_.front();
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
}

bool RowDialog::checkField(QWidget* field) {
    if (cancelFlag_ || !isVisible())
        return true;
    const std::string name = field->objectName().toStdString();
    const rules::FieldRule* rule = rules::FindRule(name);
    if (!rule || rule->checks.empty())
        return true;
    std::string sister;
    if (!rule->sister.empty())
        if (QWidget* other = control(std::string(rule->sister).c_str()))
            sister = controlText(other);
    std::string prefix;
    if (ports_.owner)
        if (QWidget* prefixField = ports_.owner->findChild<QWidget*>(QLatin1String(kPrefixField)))
            prefix = controlText(prefixField);
    rules::FieldContext context;
    context.sisterText = sister;
    context.prefix = prefix;
    return !checkOnLeave(field, name, context, leave_).rejected();
}

void RowDialog::accept() {
    QWidget* focused = focusWidget();
    const bool isField = std::find(fields_.begin(), fields_.end(), focused) != fields_.end();
    if (isField && !checkField(focused))
        return;
    cancelFlag_ = false;
    QDialog::accept();
}

void RowDialog::reject() {
    cancelFlag_ = true;
    QDialog::reject();
}

} // namespace rq7::ui
