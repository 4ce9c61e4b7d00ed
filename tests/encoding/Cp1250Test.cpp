#include "encoding/Cp1250.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

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
    EXPECT_EQ(fromUtf8(u8"a€b"), "a\x80"
                                 "b");
    EXPECT_EQ(fromUtf8(u8"日本"), "??");
    EXPECT_EQ(fromUtf8("x\xC3"), "x?");         // truncated sequence
    EXPECT_EQ(fromUtf8("\xE0\x80\x80"), "???"); // overlong
    EXPECT_EQ(sanitizeUtf8("ok\xFF"), u8"ok\uFFFD");
}

// The code page's upper half against the system's own converter, one byte at
// a time: a byte it leaves undefined yields "-" instead of a character.
TEST(Cp1250, UpperHalfAgreesWithTheSystemConverter) {
    const char* script =
        "for b in $(seq 128 255); do "
        "printf \"\\\\$(printf %o $b)\" | iconv -f CP1250 -t UTF-8 2>/dev/null || printf -; "
        "printf '\\n'; done";
    std::FILE* pipe = ::popen(script, "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    ASSERT_EQ(::pclose(pipe), 0);
    std::istringstream lines(output);
    std::string reference;
    int undefined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        ASSERT_TRUE(std::getline(lines, reference)) << "no answer for byte " << b;
        const std::string ours = toUtf8(std::string(1, static_cast<char>(b)));
        if (reference == "-") {
            ++undefined;
            EXPECT_EQ(toUnicode(static_cast<unsigned char>(b)), char32_t(b)) << "byte " << b;
        } else {
            EXPECT_EQ(ours, reference) << "byte " << b;
        }
    }
    EXPECT_EQ(undefined, 5);
}
