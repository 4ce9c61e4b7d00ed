#pragma once
// Whether the texts of a shown window fit their controls: a label, button,
// check box, frame title or tab given less room than its text needs is
// reported, as is a control that reaches out of its parent.

#include <string>
#include <vector>

class QWidget;

namespace rq7::test {

// "control 'text': 80x16 < 95x16" for every visible control of `window` that
// cuts its text short. The window must be shown and laid out.
std::vector<std::string> clippedTexts(QWidget* window);

} // namespace rq7::test
