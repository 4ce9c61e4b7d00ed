#include "cli/TerminalSafe.h"

#include "encoding/Cp1250.h"

namespace rq7::cli {

std::string terminalSafe(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t pos = 0; pos < line.size();) {
        const char32_t cp = cp1250::nextUtf8(line, pos);
        const bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
        cp1250::appendUtf8(out, control ? char32_t{0xFFFD} : cp);
    }
    return out;
}

} // namespace rq7::cli
