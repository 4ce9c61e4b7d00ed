#include "settings/PhoneNumber.h"

#include <gtest/gtest.h>

using namespace rq7;

TEST(PhoneNumber, EncodesAndDecodesTheExamples) {
    struct Case {
        const char* text;
        const char* encoded;
    };
    const Case cases[] = {
        {"+420123456789", "0C91241032547698"},
        {"123456789", "098121436587F9"},
        {"+1", "0191F1"},
        {"12", "028121"},
        {"123456789012345", "0F8121436587092143F5"},
        {"1234567890123456", "10812143658709214365"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodePhoneNumber(c.text), c.encoded) << "case: " << c.text;
        EXPECT_EQ(DecodePhoneNumber(c.encoded), std::optional<std::string>(c.text))
            << "case: " << c.text;
    }
}

TEST(PhoneNumber, EmptyAndPlusAlone) {
    EXPECT_EQ(EncodePhoneNumber(""), "00");
    EXPECT_EQ(EncodePhoneNumber("+"), "0091");
    EXPECT_EQ(DecodePhoneNumber("00"), std::optional<std::string>(""));
    EXPECT_EQ(DecodePhoneNumber("0091"), std::optional<std::string>("+"));
    EXPECT_TRUE(PhoneStoredEmpty(""));
    EXPECT_TRUE(PhoneStoredEmpty("+"));
    EXPECT_FALSE(PhoneStoredEmpty("+1"));
    EXPECT_FALSE(PhoneStoredEmpty("1"));
    EXPECT_FALSE(PhoneStoredEmpty("++"));
}

TEST(PhoneNumber, DecodingOddCases) {
    struct Case {
        const char* name;
        const char* encoded;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"lower-case length", "0c91241032547698", std::string("+420123456789")},
        {"other type gives no prefix", "0481214", std::string("124")},
        {"missing characters are left out", "0691214", std::string("+124")},
        {"only an upper-case F is dropped", "0181f1", std::string("1f")},
        {"not hexadecimal", "G091", std::nullopt},
        {"too short", "0", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodePhoneNumber(c.encoded), c.text) << "case: " << c.name;
}

TEST(PhoneNumber, NonDigitCharactersAreSwappedLikeDigits) {
    EXPECT_EQ(EncodePhoneNumber("*12#"), "04811*#2");
    EXPECT_EQ(DecodePhoneNumber("04811*#2"), std::optional<std::string>("*12#"));
    // A Czech letter is one character, as it is one byte in the image.
    EXPECT_EQ(EncodePhoneNumber(u8"1č"), u8"0281č1");
    EXPECT_EQ(DecodePhoneNumber(u8"0281č1"), std::optional<std::string>(u8"1č"));
}
