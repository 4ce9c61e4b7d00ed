#include "ui/main/rules/TextRules.h"

#include "encoding/Cp1250.h"

#include <algorithm>
#include <string>
#include <vector>

namespace rq7::rules {

namespace {

// Lower case of the letters the device's code page can hold: ASCII, Latin-1
// and Latin Extended-A. Other characters stay as they are.
char32_t lowerChar(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    const bool evenUpper = (c >= 0x100 && c <= 0x137 && c != 0x130) || (c >= 0x14A && c <= 0x177);
    if (evenUpper && c % 2 == 0)
        return c + 1;
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper && c % 2 == 1)
        return c + 1;
    if (c == 0x178)
        return 0xFF;
    return c;
}

std::u32string decode(std::string_view text) {
    const std::string bytes(text);
    std::u32string out;
    for (std::size_t pos = 0; pos < bytes.size();)
        out += cp1250::nextUtf8(bytes, pos);
    return out;
}

std::u32string lowerDecoded(std::string_view text) {
    std::u32string chars = decode(text);
    std::transform(chars.begin(), chars.end(), chars.begin(), lowerChar);
    return chars;
}

} // namespace

bool AllCharsAllowed(std::string_view text, std::string_view allowed) {
    const std::u32string set = decode(allowed);
    for (char32_t c : decode(text))
        if (set.find(c) == std::u32string::npos)
            return false;
    return true;
}

bool NotKeywordPrefix(std::string_view word, std::string_view list) {
    if (word.empty())
        return true;
    const std::u32string lowWord = lowerDecoded(word);
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string_view::npos)
            end = list.size();
        const std::u32string entry = lowerDecoded(list.substr(start, end - start));
        if (lowWord.size() <= entry.size() && entry.compare(0, lowWord.size(), lowWord) == 0)
            return false;
        start = end + 1;
    }
    return true;
}

std::string LowerCase(std::string_view text) {
    std::string out;
    for (char32_t c : lowerDecoded(text))
        cp1250::appendUtf8(out, c);
    return out;
}

} // namespace rq7::rules
