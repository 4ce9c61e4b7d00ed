#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace rq7::app {

QIcon ProgramIcon() {
    // Rendered here rather than through Qt's SVG icon plugin, which is a
    // separate package that a desktop may lack.
    QSvgRenderer renderer(QStringLiteral(":/rq7-init.svg"));
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace rq7::app
