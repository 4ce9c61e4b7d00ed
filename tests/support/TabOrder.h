#pragma once
// Whether the Tab key visits the controls of a window, or of a part of one,
// in reading order: line by line from the top, left to right on each line.

#include <string>
#include <vector>

class QWidget;

namespace rq7::test {

// The visible, enabled controls under `root` that Tab stops at, in the
// order of the window's focus chain, starting with the one that comes
// first in reading order. `root` must be laid out (shown).
std::vector<QWidget*> tabStops(QWidget* root);

// "" when `stops` are in reading order, else the first pair that is not
// ("tabINPLH_0 before tabINPLHEvent_0").
std::string readingOrderBreak(const std::vector<QWidget*>& stops);

} // namespace rq7::test
