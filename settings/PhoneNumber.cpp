#include "settings/PhoneNumber.h"

#include "encoding/Cp1250.h"
#include "encoding/Hex.h"

#include <cstdio>

namespace rq7 {

namespace phone_bytes {

std::string encode(const std::string& bytes) {
    const bool international = !bytes.empty() && bytes[0] == '+';
    std::string digits = international ? bytes.substr(1) : bytes;
    const std::size_t n = digits.size();
    char length[16];
    std::snprintf(length, sizeof length, "%02zX", n);
    if (n == 0 && !international)
        return length;
    if (n % 2 == 1)
        digits += 'F';
    std::string out = length;
    out += international ? "91" : "81";
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        out += digits[i + 1];
        out += digits[i];
    }
    return out;
}

std::optional<std::string> decode(const std::string& bytes) {
    if (bytes.size() < 2)
        return std::nullopt;
    const int high = hex::value(bytes[0]);
    const int low = hex::value(bytes[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    std::size_t n = static_cast<std::size_t>(high * 16 + low);
    std::string out = bytes.compare(2, 2, "91") == 0 ? "+" : "";
    n += n % 2;
    // Pair k (0-based) lies at offsets 4 + 2k and 5 + 2k, second one first.
    for (std::size_t k = 0; k < n / 2; ++k) {
        const std::size_t first = 4 + 2 * k;
        if (first + 1 < bytes.size())
            out += bytes[first + 1];
        if (first < bytes.size())
            out += bytes[first];
    }
    if (!out.empty() && out.back() == 'F')
        out.pop_back();
    return out;
}

} // namespace phone_bytes

std::string EncodePhoneNumber(const std::string& text) {
    return cp1250::toUtf8(phone_bytes::encode(cp1250::fromUtf8(text)));
}

std::optional<std::string> DecodePhoneNumber(const std::string& encoded) {
    const std::optional<std::string> bytes = phone_bytes::decode(cp1250::fromUtf8(encoded));
    if (!bytes)
        return std::nullopt;
    return cp1250::toUtf8(*bytes);
}

bool PhoneStoredEmpty(const std::string& text) {
    return text.empty() || text == "+";
}

} // namespace rq7
