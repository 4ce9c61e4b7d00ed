#pragma once
// Texts of window controls described as patterns, so that every window
// labels itself from one table and re-labels by running that table again.
// A pattern is literal text with keys in braces: "{lbltcName1}\n{lbltcName2}".
// A key of the catalogue answers through Texts; a key outside it carries its
// Czech default after a bar: "{txtReCall|Text automatického hlášení}".

#include "ui/language/catalogue/Texts.h"

#include <string>
#include <vector>

namespace rq7::ui {

// Which property of a control a label sets.
enum class LabelTarget {
    Caption,           // label or button text, frame title, window title
    Tooltip,           // tooltip only
    CaptionAndTooltip, // icon buttons that also show their tooltip as text
    TabCaption,        // the caption of page `index` of a tab control
    Text,              // the value of a text field
};

struct ControlLabel {
    const char* control; // objectName; with perRow the stem of rows 0..7
    LabelTarget target;
    const char* pattern;
    int index = -1; // TabCaption: the page
    bool perRow = false;
};

// The text of a pattern in the current language.
std::string composeLabel(const std::string& pattern, const Texts& texts);

// The keys a pattern looks up (for checking tables against the catalogue).
std::vector<std::string> labelKeys(const std::string& pattern);

} // namespace rq7::ui
