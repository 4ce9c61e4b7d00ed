#include "ui/main/rules/ClampNumber.h"

#include <gtest/gtest.h>
#include <string>

using rq7::rules::ClampNumber;

TEST(ClampNumber, SmsValidityOneToThirty) {
    const struct {
        const char* text;
        const char* result;
    } cases[] = {
        {"3", "3"},         {"0", "1"},      {"45", "30"},
        {"7.9", "7"},       {"abc", "1"},    {"", "1"},
        {"30", "30"},       {"1", "1"},      {"-5", "1"},
        {" 12", "12"},      {"12 ", "12"},   {"+7", "7"},
        {"007", "7"},       {"7abc", "7"},   {"7.9x", "7"},
        {"1e1", "10"},      {"3E1", "30"},   {"2e+1", "20"},
        {"25e-1", "2"},     {"1e", "1"},     {"9E999", "30"},
        {"-9E999", "1"},    {"9E-999", "1"}, {".5", "1"},
        {"29.99999", "29"}, {"5.", "5"},     {"-", "1"},
        {"1.2.3", "1"},     {"99999", "30"}, {"9E99999999999999999999", "30"},
        {"1,5", "1"},       {"nan", "1"},    {"inf", "1"},
        {"0x1F", "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampNumber(c.text, 1, 30, 0), c.result) << "case: '" << c.text << "'";
}

TEST(ClampNumber, SwitchDigitZeroToNine) {
    const struct {
        const char* text;
        const char* result;
    } cases[] = {{"x", "0"},  {"", "0"},     {"5", "5"}, {"-", "0"},
                 {"-0", "0"}, {"-0.5", "0"}, {"12", "9"}};
    for (const auto& c : cases)
        EXPECT_EQ(ClampNumber(c.text, 0, 9, 0), c.result) << "case: '" << c.text << "'";
}

TEST(ClampNumber, DecimalsCutTowardZeroExactly) {
    const struct {
        const char* text;
        int decimals;
        const char* result;
    } cases[] = {
        {"0.29", 2, "0.29"}, // no binary rounding: not 0.28
        {"2.567", 2, "2.56"}, {"-2.567", 2, "-2.56"}, {"2.5", 0, "2"},
        {"2.50", 1, "2.5"},   {"1.23e1", 1, "12.3"},  {"7", 3, "7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampNumber(c.text, -100, 100, c.decimals), c.result)
            << "case: '" << c.text << "' decimals " << c.decimals;
}
