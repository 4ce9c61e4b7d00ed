#pragma once
// The silent correction of the two numeric fields that are never rejected
// (SMS validity and the switch digit).

#include <string>
#include <string_view>

namespace rq7::rules {

// The text's number, cut toward zero to `decimals` places, raised to min and
// then lowered to max, written in its shortest plain form ("7", "2.5").
// Text that is not a number as a whole counts as its leading numeric part
// (blanks, sign, digits, '.', digits), or 0 when it has none. Exponents too
// large to represent clamp to the bound they pass ("9E999" gives max).
std::string ClampNumber(std::string_view text, double min, double max, int decimals);

} // namespace rq7::rules
