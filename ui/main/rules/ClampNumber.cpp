#include "ui/main/rules/ClampNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace rq7::rules {

namespace {

// A decimal number held exactly: value = (negative ? -1 : 1) * digits * 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // without leading zeros; empty means zero
    long exponent = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An exponent's digits, saturated far beyond what a double can hold so that
// "9E99999999999999999999" cannot overflow.
constexpr long kExponentLimit = 100000;

// Reads [blanks] [sign] digits [. digits] | [sign] . digits, then, when
// allowExponent, an optional exponent. Returns how many characters it used
// (0: no number at all).
std::size_t readNumber(std::string_view text, bool allowExponent, Decimal& out) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        out.negative = text[i++] == '-';
    std::string mantissa;
    long fractionDigits = 0;
    bool anyDigit = false;
    while (i < text.size() && isDigit(text[i])) {
        mantissa += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) {
            mantissa += text[j++];
            ++fractionDigits;
            anyDigit = true;
        }
        if (anyDigit)
            i = j;
    }
    if (!anyDigit)
        return 0;
    long exponent = 0;
    if (allowExponent && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            expNegative = text[j++] == '-';
        const std::size_t expStart = j;
        while (j < text.size() && isDigit(text[j])) {
            exponent = std::min(kExponentLimit, exponent * 10 + (text[j] - '0'));
            ++j;
        }
        if (j > expStart) {
            i = j;
            if (expNegative)
                exponent = -exponent;
        } else {
            exponent = 0;
        }
    }
    const std::size_t firstNonZero = mantissa.find_first_not_of('0');
    out.digits = firstNonZero == std::string::npos ? std::string() : mantissa.substr(firstNonZero);
    out.exponent = exponent - fractionDigits;
    return i;
}

// The number of the whole text, or of its leading numeric part.
Decimal parse(std::string_view text) {
    Decimal whole;
    std::size_t used = readNumber(text, true, whole);
    std::size_t end = used;
    while (end < text.size() && isBlank(text[end]))
        ++end;
    if (used > 0 && end == text.size())
        return whole;
    Decimal leading;
    readNumber(text, false, leading);
    return leading;
}

// Drops the digits beyond `decimals` places after the point (toward zero).
void truncate(Decimal& d, int decimals) {
    const long keepExponent = -static_cast<long>(decimals);
    if (d.digits.empty() || d.exponent >= keepExponent)
        return;
    const long drop = keepExponent - d.exponent;
    if (drop >= static_cast<long>(d.digits.size())) {
        d.digits.clear();
        return;
    }
    d.digits.resize(d.digits.size() - static_cast<std::size_t>(drop));
    d.exponent = keepExponent;
}

double toDouble(const Decimal& d) {
    if (d.digits.empty())
        return 0.0;
    const std::string text = d.digits + "e" + std::to_string(d.exponent);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double; which one follows from the
        // magnitude's position of the leading digit.
        const long magnitude = d.exponent + static_cast<long>(d.digits.size());
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return d.negative ? -value : value;
}

std::string plain(double value, int decimals) {
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                               std::max(decimals, 0));
    return std::string(buffer, result.ptr);
}

} // namespace

std::string ClampNumber(std::string_view text, double min, double max, int decimals) {
    decimals = std::clamp(decimals, 0, 15);
    Decimal number = parse(text);
    truncate(number, decimals);
    double value = toDouble(number);
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    return plain(value, decimals);
}

} // namespace rq7::rules
