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
    if (control->isWindow()) {
        // A title that names a document ("name[*] - caption"): its caption.
        const std::string title = control->windowTitle().toStdString();
        const std::string documentEnd = "[*] - ";
        const std::size_t at = title.find(documentEnd);
        return at == std::string::npos ? title : title.substr(at + documentEnd.size());
    }
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
