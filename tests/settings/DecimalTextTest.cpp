#include "settings/DecimalText.h"

#include <gtest/gtest.h>

using namespace rq7::decimal;

namespace {

std::optional<long long> leading(const std::string& text, long mul, long div, long long add,
                                 Rounding rounding) {
    return scaled(leadingNumber(text), mul, div, add, rounding);
}

} // namespace

TEST(DecimalText, LeadingNumericPart) {
    struct Case {
        const char* text;
        long long floor;
    };
    const Case cases[] = {
        {"", 0},      {"abc", 0}, {"-", 0},  {"12abc", 12}, {"7.9", 7},
        {"-7.9", -8}, {"+5", 5},  {".5", 0}, {"1.2.3", 1},  {"007", 7},
        {" 5", 0},    {"5 ", 5},  {"-0", 0}, {"3e2", 3},    {"99999", 99999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(leading(c.text, 1, 1, 0, Rounding::Floor), c.floor) << "case: '" << c.text << "'";
}

TEST(DecimalText, WholeNumberNeedsTheWholeText) {
    EXPECT_TRUE(wholeNumber("12"));
    EXPECT_TRUE(wholeNumber("-1.5"));
    EXPECT_TRUE(wholeNumber("1."));
    EXPECT_FALSE(wholeNumber(""));
    EXPECT_FALSE(wholeNumber("12a"));
    EXPECT_FALSE(wholeNumber(" 12"));
    EXPECT_FALSE(wholeNumber("."));
    EXPECT_FALSE(wholeNumber("+"));
}

TEST(DecimalText, RoundingModes) {
    struct Case {
        const char* text;
        long mul, div;
        long long add;
        Rounding rounding;
        long long expected;
    };
    const Case cases[] = {
        {"2.5", 1, 1, 0, Rounding::HalfEven, 2},
        {"3.5", 1, 1, 0, Rounding::HalfEven, 4},
        {"-2.5", 1, 1, 0, Rounding::HalfEven, -2},
        {"-3.5", 1, 1, 0, Rounding::HalfEven, -4},
        {"2.500001", 1, 1, 0, Rounding::HalfEven, 3},
        {"2.4999", 1, 1, 0, Rounding::HalfEven, 2},
        {"254.5", 1, 1, 0, Rounding::HalfEven, 254},
        {"255.5", 1, 1, 0, Rounding::HalfEven, 256},
        // code 1 + 16 * 0.03125 = 1.5, which goes to 2; rounding first would give 1
        {"0.03125", 16, 1, 1, Rounding::HalfEven, 2},
        {"768", 1, 3, 0, Rounding::TowardZero, 256},
        {"5", 1, 3, 0, Rounding::TowardZero, 1},
        {"-5", 1, 3, 0, Rounding::TowardZero, -1},
        {"8.99", 1, 3, 0, Rounding::TowardZero, 2},
        {"-0.5", 1, 1, 166, Rounding::Floor, 165},
        {"5", 46875, 2, 0, Rounding::UpUnlessWhole, 117188},
        {"2", 46875, 2, 0, Rounding::UpUnlessWhole, 46875},
        {"2.5", 46875, 2, 0, Rounding::UpUnlessWhole, 58594},
        {"0.016", 46875, 2, 0, Rounding::UpUnlessWhole, 375},
        {"0.0160000000000000000001", 46875, 2, 0, Rounding::UpUnlessWhole, 376},
        {"-1.5", 1, 1, 0, Rounding::UpUnlessWhole, 0},
        {"-2", 1, 1, 0, Rounding::UpUnlessWhole, -2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(leading(c.text, c.mul, c.div, c.add, c.rounding), c.expected)
            << "case: " << c.text << " * " << c.mul << " / " << c.div;
}

TEST(DecimalText, HugeValuesDoNotFit) {
    EXPECT_EQ(leading(std::string(40, '9'), 1, 1, 0, Rounding::Floor), std::nullopt);
    EXPECT_EQ(leading("0." + std::string(40, '9'), 1, 1, 0, Rounding::HalfEven), 1);
}
