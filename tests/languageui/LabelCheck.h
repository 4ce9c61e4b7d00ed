#pragma once
// Reading back what a window's label table put on its controls.

#include "ui/dialogs/LabelText.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace rq7::test {

// The text a pattern gives with a tagged language file: "{lblTC}:" with tag
// "E" is "lblTC@E:"; a key outside the catalogue shows its fallback.
std::string taggedPattern(const std::string& pattern, const std::string& tag);

// Every row of `table` whose control under `root` does not show
// expected(pattern), as "control: shown <> expected"; a missing control is a
// mismatch too.
std::vector<std::string>
labelMismatches(QWidget* root, const std::vector<ui::ControlLabel>& table,
                const std::function<std::string(const std::string& pattern)>& expected);

} // namespace rq7::test
