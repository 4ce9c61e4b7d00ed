#include "tests/support/Screenshots.h"

#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cstdio>

namespace rq7::test {

std::optional<QDir> screenshotDir(int argc, char** argv, const char* usage, int optional) {
    if (argc < 2 || argc > 2 + optional) {
        std::fputs(usage, stderr);
        return std::nullopt;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    return dir;
}

bool saveScreenshot(QWidget* widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = widget->grab().save(path);
    std::printf("%s %s (%dx%d logical)\n", ok ? "wrote" : "FAILED", qPrintable(path),
                widget->width(), widget->height());
    return ok;
}

bool saveScreen(QWidget* widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QScreen* screen = widget->screen();
    const bool ok = screen && screen->grabWindow(0).save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace rq7::test
