#include "ui/dialogs/LabelApplier.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTabWidget>

namespace rq7::ui {

namespace {

void setCaption(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    else if (control->isWindow())
        control->setWindowTitle(text);
}

// A caption's "&x" marks its Alt key; a tooltip shows the plain text ("&&"
// stays a literal "&").
QString withoutMnemonic(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype at = 0; at < caption.size(); ++at) {
        if (caption.at(at) == QLatin1Char('&') && at + 1 < caption.size())
            ++at;
        plain += caption.at(at);
    }
    return plain;
}

void setText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(text);
}

void apply(QWidget* control, const ControlLabel& label, const QString& text) {
    switch (label.target) {
    case LabelTarget::Caption:
        setCaption(control, text);
        break;
    case LabelTarget::Tooltip:
        control->setToolTip(withoutMnemonic(text));
        break;
    case LabelTarget::CaptionAndTooltip:
        setCaption(control, text);
        control->setToolTip(withoutMnemonic(text));
        break;
    case LabelTarget::TabCaption:
        if (auto* tabs = qobject_cast<QTabWidget*>(control))
            tabs->setTabText(label.index, text);
        break;
    case LabelTarget::Text:
        setText(control, text);
        break;
    }
}

} // namespace

QWidget* findControl(QWidget* root, const QString& name) {
    if (root->objectName() == name)
        return root;
    return root->findChild<QWidget*>(name);
}

QStringList applyLabels(QWidget* root, const std::vector<ControlLabel>& labels,
                        const Texts& texts) {
    QStringList missing;
    for (const ControlLabel& label : labels) {
        const QString text = QString::fromStdString(composeLabel(label.pattern, texts));
        QStringList names;
        if (label.perRow)
            for (int row = 0; row < kRowCount; ++row)
                names << rowName(label.control, row);
        else
            names << QString::fromLatin1(label.control);
        for (const QString& name : names) {
            if (QWidget* control = findControl(root, name))
                apply(control, label, text);
            else
                missing << name;
        }
    }
    // New texts invalidate only the top layout of their widget; a nested
    // layout of a page that has never been shown would keep the sizes of the
    // old texts, and the window would be sized for those.
    for (QLayout* layout : root->findChildren<QLayout*>())
        layout->invalidate();
    return missing;
}

} // namespace rq7::ui
