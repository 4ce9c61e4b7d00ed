#pragma once
// The caption a control shows: a label's or button's text, a frame's title,
// a window's title.

#include <string>

class QWidget;

namespace rq7::test {

// "<no caption>" for a control that has none.
std::string captionOf(QWidget* control);

} // namespace rq7::test
