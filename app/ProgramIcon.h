#pragma once
// The program's icon, drawn from the same SVG file the desktop menu shows.

#include <QIcon>

namespace rq7::app {

// The icon at the sizes window managers ask for; a null icon when the
// drawing cannot be read.
QIcon ProgramIcon();

} // namespace rq7::app
