#pragma once
// What the screenshot tools share: the output directory from the command
// line and saving a picture of a widget with a line saying so.

#include <QDir>
#include <QString>
#include <optional>

class QWidget;

namespace rq7::test {

// The directory named by the first argument, created; nullopt (after
// printing `usage` on stderr) when the arguments are not 1 to 1 + optional.
std::optional<QDir> screenshotDir(int argc, char** argv, const char* usage, int optional = 0);

// Saves a picture of the widget as dir/name and prints where it went and
// the widget's size (logical pixels). False when it could not be saved.
bool saveScreenshot(QWidget* widget, const QDir& dir, const QString& name);

// Saves a picture of the whole screen the widget is on (the windows as the
// display places them) as dir/name and prints where it went. False when the
// widget has no screen or the picture could not be saved.
bool saveScreen(QWidget* widget, const QDir& dir, const QString& name);

} // namespace rq7::test
