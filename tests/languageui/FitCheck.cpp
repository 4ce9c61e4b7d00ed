#include "tests/languageui/FitCheck.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace rq7::test {

namespace {

std::string describe(const QWidget* control, const QString& text, QSize have, QSize need) {
    return control->objectName().toStdString() + " '" + text.toStdString() +
           "': " + std::to_string(have.width()) + "x" + std::to_string(have.height()) + " < " +
           std::to_string(need.width()) + "x" + std::to_string(need.height());
}

bool shortOf(QSize have, QSize need) {
    return have.width() < need.width() || have.height() < need.height();
}

// The room a control's text needs, and the text; an empty text needs none.
QSize needed(const QWidget* control, QString& text) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        text = label->text();
        if (text.isEmpty())
            return {};
        if (label->wordWrap())
            return {0, label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        text = button->text();
        return text.isEmpty() ? QSize() : button->sizeHint();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
        text = frame->title();
        return text.isEmpty() ? QSize() : QSize(frame->minimumSizeHint().width(), 0);
    }
    if (const auto* bar = qobject_cast<const QTabBar*>(control)) {
        for (int i = 0; i < bar->count(); ++i)
            text += bar->tabText(i) + QLatin1Char('|');
        return QSize(bar->sizeHint().width(), 0);
    }
    return {};
}

// The content of a scroll area may be larger than its view: it scrolls,
// nothing is lost.
bool isScrollView(const QWidget* widget) {
    return widget->parentWidget() &&
           qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
}

} // namespace

std::vector<std::string> clippedTexts(QWidget* window) {
    std::vector<std::string> clipped;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisible() || control->window() != window)
            continue;
        QString text;
        const QSize need = needed(control, text);
        if (need.isValid() && shortOf(control->size(), need))
            clipped.push_back(describe(control, text, control->size(), need));
        // Reaching out of the parent cuts the control itself short.
        const QWidget* parent = control->parentWidget();
        if (parent && !isScrollView(parent) && !control->isWindow() &&
            !parent->rect().contains(control->geometry()) && !need.isEmpty())
            clipped.push_back(control->objectName().toStdString() + " '" + text.toStdString() +
                              "' reaches out of " + parent->objectName().toStdString());
    }
    return clipped;
}

} // namespace rq7::test
