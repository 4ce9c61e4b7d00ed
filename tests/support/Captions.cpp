#include "tests/support/Captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTextDocument>

namespace rq7::test {

std::string captionOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text().toStdString();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title().toStdString();
    if (control->isWindow())
        return control->windowTitle().toStdString();
    return "<no caption>";
}

bool showsAsWritten(const QLabel& label) {
    switch (label.textFormat()) {
    case Qt::PlainText:
        return true;
    case Qt::AutoText:
        return !Qt::mightBeRichText(label.text());
    default:
        return false;
    }
}

} // namespace rq7::test
