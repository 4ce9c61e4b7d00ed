#pragma once
// Text from a crafted file on its way to a terminal: control characters (a
// stray escape sequence, BEL, NUL) must not reach it.

#include <string>

namespace rq7::cli {

// The line with every control character (C0, DEL, C1) and every malformed
// UTF-8 sequence shown as U+FFFD; everything else unchanged.
std::string terminalSafe(const std::string& line);

} // namespace rq7::cli
