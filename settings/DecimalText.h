#pragma once
// Numbers typed as text, read exactly: "2.5" is two and a half, not the
// nearest binary fraction, so that rounding halves to even and testing for
// a whole number give the same answer for every text.

#include <optional>
#include <string>

namespace rq7::decimal {

// value = (negative ? -1 : 1) * digits / 10^scale
struct Decimal {
    bool negative = false;
    std::string digits = "0"; // integer and fraction digits, at least one
    std::size_t scale = 0;    // how many of them are fraction digits
};

// The leading numeric part of a text: an optional sign, digits, an optional
// "." and decimals, at least one digit. An empty or non-numeric text is 0.
Decimal leadingNumber(const std::string& text);

// The text as a number when all of it is one (same form, nothing before or
// after); nothing otherwise.
std::optional<Decimal> wholeNumber(const std::string& text);

enum class Rounding {
    Floor,        // down
    TowardZero,   // drop the fraction
    HalfEven,     // nearest, halves to the even neighbour
    UpUnlessWhole // drop the fraction and add 1, unless there is none
};

// value * mul / div + add, rounded; mul >= 0 and div > 0 are small. Nothing
// when the result does not fit in 15 decimal digits.
std::optional<long long> scaled(const Decimal& value, long mul, long div, long long add,
                                Rounding rounding);

} // namespace rq7::decimal
