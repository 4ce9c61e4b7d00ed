#pragma once
// The caption a control shows: a label's or button's text, a frame's title,
// a window's title (without the document part of "name[*] - caption");
// whether a label shows its text as written.

#include <string>

class QLabel;
class QWidget;

namespace rq7::test {

// "<no caption>" for a control that has none.
std::string captionOf(QWidget* control);

// True when the label shows its text character for character, not as markup.
bool showsAsWritten(const QLabel& label);

} // namespace rq7::test
