#include "settings/DecimalText.h"

namespace rq7::decimal {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads sign, digits, "." and decimals from the start of `text`. Returns how
// many characters form the number, 0 when there is none.
std::size_t parsePrefix(const std::string& text, Decimal& out) {
    std::size_t pos = 0;
    Decimal d;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        d.negative = text[pos++] == '-';
    std::string digits;
    while (pos < text.size() && isDigit(text[pos]))
        digits += text[pos++];
    std::size_t scale = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            digits += text[pos++];
            ++scale;
        }
    }
    if (digits.empty())
        return 0;
    d.digits = digits;
    d.scale = scale;
    out = d;
    return pos;
}

// Schoolbook product of a decimal digit string and a small factor.
std::string multiply(const std::string& digits, long factor) {
    std::string out(digits.size(), '0');
    long carry = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        const long v = (digits[i] - '0') * factor + carry;
        out[i] = static_cast<char>('0' + v % 10);
        carry = v / 10;
    }
    while (carry > 0) {
        out.insert(out.begin(), static_cast<char>('0' + carry % 10));
        carry /= 10;
    }
    return out;
}

// Quotient digits of a decimal digit string by a small divisor; the
// remainder goes to `remainder`.
std::string divide(const std::string& digits, long divisor, long& remainder) {
    std::string out;
    long r = 0;
    for (char c : digits) {
        r = r * 10 + (c - '0');
        out += static_cast<char>('0' + r / divisor);
        r %= divisor;
    }
    remainder = r;
    return out;
}

std::string withoutLeadingZeros(const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// Where the fraction lies: 0, below one half, one half, above one half.
enum class Fraction { Zero, BelowHalf, Half, AboveHalf };

} // namespace

Decimal leadingNumber(const std::string& text) {
    Decimal d;
    parsePrefix(text, d);
    return d;
}

std::optional<Decimal> wholeNumber(const std::string& text) {
    Decimal d;
    const std::size_t used = parsePrefix(text, d);
    if (used == 0 || used != text.size())
        return std::nullopt;
    return d;
}

std::optional<long long> scaled(const Decimal& value, long mul, long div, long long add,
                                Rounding rounding) {
    // value * mul / div = product / (div * 10^scale): split off the decimal
    // places first, then divide by div.
    std::string product = multiply(value.digits, mul);
    if (product.size() <= value.scale)
        product.insert(0, value.scale - product.size() + 1, '0');
    const std::string head = product.substr(0, product.size() - value.scale);
    const std::string tail = product.substr(product.size() - value.scale);
    long r = 0;
    const std::string quotient = withoutLeadingZeros(divide(head, div, r));
    if (quotient.size() > 15)
        return std::nullopt;
    long long whole = std::stoll(quotient);

    // Compare the remainder (r * 10^scale + tail) / (div * 10^scale) with 1/2.
    const bool tailZero = tail.find_first_not_of('0') == std::string::npos;
    Fraction fraction = Fraction::Zero;
    if (r != 0 || !tailZero) {
        const long c = 2 * r - div;
        if (c >= 1 || (c == 0 && !tailZero))
            fraction = Fraction::AboveHalf;
        else if (c == 0)
            fraction = Fraction::Half;
        else if (c <= -2 || tail.empty())
            fraction = Fraction::BelowHalf;
        else {
            const std::string half = "5" + std::string(tail.size() - 1, '0');
            fraction = tail > half    ? Fraction::AboveHalf
                       : tail == half ? Fraction::Half
                                      : Fraction::BelowHalf;
        }
    }

    // Make the value whole + fraction with 0 <= fraction < 1.
    if (value.negative) {
        if (fraction == Fraction::Zero) {
            whole = -whole;
        } else {
            whole = -whole - 1;
            if (fraction == Fraction::AboveHalf)
                fraction = Fraction::BelowHalf;
            else if (fraction == Fraction::BelowHalf)
                fraction = Fraction::AboveHalf;
        }
    }
    whole += add;

    const bool exact = fraction == Fraction::Zero;
    const long long towardZero = whole < 0 && !exact ? whole + 1 : whole;
    switch (rounding) {
    case Rounding::Floor:
        return whole;
    case Rounding::TowardZero:
        return towardZero;
    case Rounding::HalfEven:
        if (fraction == Fraction::AboveHalf || (fraction == Fraction::Half && whole % 2 != 0))
            return whole + 1;
        return whole;
    case Rounding::UpUnlessWhole:
        return exact ? whole : towardZero + 1;
    }
    return std::nullopt;
}

} // namespace rq7::decimal
