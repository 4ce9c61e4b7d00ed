#include "encoding/Hex.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>

using namespace rq7;

TEST(Hex, EveryValueRoundTripsInEitherCase) {
    for (unsigned v = 0; v < 16; ++v) {
        const char upper = hex::digit(v);
        EXPECT_EQ(hex::value(upper), static_cast<int>(v)) << "case: " << v;
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(upper)));
        EXPECT_EQ(hex::value(lower), static_cast<int>(v)) << "case: " << lower;
    }
    EXPECT_EQ(std::string(1, hex::digit(0x1A)), "A") << "only the low four bits count";
}

TEST(Hex, OtherCharactersAreNoDigits) {
    const int others[] = {'/', ':', '@', 'G', '`', 'g', ' ', 0, 0xC1, static_cast<char>(0xC1)};
    for (const int c : others)
        EXPECT_EQ(hex::value(c), -1) << "case: " << c;
}
