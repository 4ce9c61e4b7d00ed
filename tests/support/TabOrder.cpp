#include "tests/support/TabOrder.h"

#include <QWidget>
#include <algorithm>

namespace rq7::test {

namespace {

bool isStop(QWidget* widget, QWidget* root) {
    return widget != root && root->isAncestorOf(widget) && widget->isVisibleTo(root->window()) &&
           widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy();
}

QRect placeOf(QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// True when `a` comes before `b` in reading order. Two controls whose
// vertical middles lie within half the lower one's height share a line.
bool readsBefore(QWidget* a, QWidget* b) {
    const QRect ra = placeOf(a);
    const QRect rb = placeOf(b);
    const int tolerance = std::min(ra.height(), rb.height()) / 2;
    if (std::abs(ra.center().y() - rb.center().y()) > tolerance)
        return ra.center().y() < rb.center().y();
    return ra.center().x() < rb.center().x();
}

} // namespace

std::vector<QWidget*> tabStops(QWidget* root) {
    std::vector<QWidget*> stops;
    QWidget* head = root->window();
    for (QWidget* w = head->nextInFocusChain(); w && w != head; w = w->nextInFocusChain())
        if (isStop(w, root))
            stops.push_back(w);
    if (stops.empty())
        return stops;
    const auto first = std::min_element(stops.begin(), stops.end(), readsBefore);
    std::rotate(stops.begin(), first, stops.end());
    return stops;
}

std::string readingOrderBreak(const std::vector<QWidget*>& stops) {
    for (std::size_t i = 1; i < stops.size(); ++i)
        if (!readsBefore(stops[i - 1], stops[i]))
            return stops[i - 1]->objectName().toStdString() + " before " +
                   stops[i]->objectName().toStdString();
    return {};
}

} // namespace rq7::test
