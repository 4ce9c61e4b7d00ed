#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace rq7::ui {

QString rowName(const char* stem, int row) {
    return QString::fromLatin1(stem) + QLatin1Char('_') + QString::number(row);
}

QLabel* makeLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Captions come from language files: shown as written, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* makeHeading(QWidget* parent, const QString& name) {
    QLabel* label = makeLabel(parent, name);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

void setWidthInChars(QWidget* control, int chars, bool fixed) {
    const int width = control->fontMetrics().averageCharWidth() * chars + 12;
    if (fixed)
        control->setMaximumWidth(width);
    control->setMinimumWidth(width);
}

QLineEdit* makeText(QWidget* parent, const QString& name, int maxLength, bool rightAligned) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    if (rightAligned)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QCheckBox* makeCheck(QWidget* parent, const QString& name) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    // The grey third state comes only from loaded settings; a click leaves it.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    return box;
}

QComboBox* makeCombo(QWidget* parent, const QString& name, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert); // typed text is a value, not a new item
    return combo;
}

QPushButton* makeButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace rq7::ui

namespace rq7::ui {

QLineEdit* lineEditOf(QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->lineEdit();
    return nullptr;
}

std::string controlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text().toStdString();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText().toStdString();
    return {};
}

namespace {

constexpr const char* kTypingLimit = "rq7TypingLimit";

// QLineEdit cuts whatever it is given to its maxLength, but the limit is
// meant for the keys only: a text set by the program (a loaded image, a
// number completed with the prefix) must stay whole. The limit is raised to
// such a text's length and follows it down as the user shortens the text,
// never below the field's own limit, so keys can never lengthen it.
void makeRoomFor(QLineEdit* edit, int length) {
    if (length <= edit->maxLength())
        return;
    if (!edit->property(kTypingLimit).isValid()) {
        edit->setProperty(kTypingLimit, edit->maxLength());
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& now) {
            const int limit = edit->property(kTypingLimit).toInt();
            const int wanted = std::max(limit, static_cast<int>(now.size()));
            if (wanted >= edit->maxLength())
                return;
            const int cursor = edit->cursorPosition(); // setMaxLength moves it to the end
            edit->setMaxLength(wanted);
            edit->setCursorPosition(cursor);
        });
    }
    edit->setMaxLength(length);
}

} // namespace

void setControlText(QWidget* control, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        makeRoomFor(edit, static_cast<int>(value.size()));
        edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable()) {
            combo->setEditText(value);
        } else if (const int index = combo->findText(value); index >= 0) {
            combo->setCurrentIndex(index); // a fixed list keeps its selection otherwise
        }
    }
}

Flag controlFlag(const QWidget* control) {
    auto* box = qobject_cast<const QCheckBox*>(control);
    if (!box)
        return kFlagOff;
    switch (box->checkState()) {
    case Qt::Checked:
        return kFlagOn;
    case Qt::PartiallyChecked:
        return kFlagGrey;
    case Qt::Unchecked:
        break;
    }
    return kFlagOff;
}

void setControlFlag(QWidget* control, Flag flag) {
    auto* box = qobject_cast<QCheckBox*>(control);
    if (!box)
        return;
    if (flag == kFlagGrey) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    } else {
        box->setCheckState(flag == kFlagOn ? Qt::Checked : Qt::Unchecked);
    }
}

} // namespace rq7::ui
