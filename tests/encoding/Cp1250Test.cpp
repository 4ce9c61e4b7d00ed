#include "encoding/Cp1250.h"

#include <gtest/gtest.h>

using namespace rq7::cp1250;

TEST(Cp1250, CzechLettersRoundTrip) {
    const std::string czech = u8"Příliš žluťoučký kůň úpěl ďábelské ódy ČŘŠŽ";
    const std::string bytes = fromUtf8(czech);
    EXPECT_EQ(bytes.size(), utf8Length(czech));
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF8); // ř
    EXPECT_EQ(toUtf8(bytes), czech);
}

TEST(Cp1250, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
}

TEST(Cp1250, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(fromUtf8(u8"a€b"), "a\x80" "b");
    EXPECT_EQ(fromUtf8(u8"日本"), "??");
    EXPECT_EQ(fromUtf8("x\xC3"), "x?");        // truncated sequence
    EXPECT_EQ(fromUtf8("\xE0\x80\x80"), "???"); // overlong
    EXPECT_EQ(sanitizeUtf8("ok\xFF"), u8"ok\uFFFD");
}
