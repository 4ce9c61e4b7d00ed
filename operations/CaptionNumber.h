#pragma once
// The number at the start of a label's caption, read the way the size labels
// are read back: leading blanks skipped, blanks between digits ignored,
// reading stops at the first other character; no number reads as 0
// ("  1024 byte" -> 1024, "?" -> 0).

#include <string>

namespace rq7 {

long long CaptionNumber(const std::string& caption);

} // namespace rq7
