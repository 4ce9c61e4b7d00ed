#pragma once
// Small helpers for tests that look at or lay out image bytes.

#include "settings/EepromImage.h"

#include <string>
#include <vector>

namespace rq7::test {

inline std::vector<int> imageBytes(const EepromImage& image, long from, long count) {
    std::vector<int> out;
    for (long a = from; a < from + count; ++a)
        out.push_back(image.GetImageByte(a).value_or(-1));
    return out;
}

// Stores `bytes` from `address` on; a std::string may hold zero bytes.
inline void putBytes(EepromImage& image, long address, const std::string& bytes) {
    for (char c : bytes)
        image.SetImageByte(static_cast<unsigned char>(c), address++);
}

inline std::string bytesAsString(const EepromImage& image, long from, long count) {
    std::string out;
    for (int b : imageBytes(image, from, count))
        out += static_cast<char>(b);
    return out;
}

} // namespace rq7::test
