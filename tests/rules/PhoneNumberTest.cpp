#include "ui/main/rules/PhoneNumber.h"

#include <gtest/gtest.h>

using namespace rq7::rules;

TEST(NormalizePhoneNumber, WithAndWithoutPrefix) {
    const struct {
        const char* number;
        const char* prefix;
        const char* result;
    } cases[] = {
        {"061", "+420", "+42061"},
        {"61", "+420", "+42061"},
        {"0042061", "+420", "+42061"},
        {"00421123", "+420", "+421123"},
        {"+49301234", "+420", "+49301234"},
        {"42061", "+420", "+42042061"}, // the prefix is not recognised without its "+"
        {"+42061", "+420", "+42061"},
        {"0061", "+420", "+61"},
        {"0", "+420", "+420"},
        {"00", "+420", "+"},
        {"+", "+420", "+"},
        {"061", "", "061"}, // an empty prefix: only "00" changes
        {"0042061", "", "+42061"},
        {"42061", "420", "42061"}, // starts with the prefix: unchanged
        {"061", "0", "061"},
        {"123", "+4", "+4123"},
        {"", "+420", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizePhoneNumber(c.number, c.prefix), c.result)
            << "case: " << c.number << " with prefix '" << c.prefix << "'";
}

TEST(PhoneNumber, PlusAloneOrAfterTheFirstCharacterCannotBeStored) {
    EXPECT_FALSE(IsStorablePhoneNumber("+"));
    EXPECT_FALSE(IsStorablePhoneNumber("++1"));
    EXPECT_FALSE(IsStorablePhoneNumber("+42012+34"));
    EXPECT_FALSE(IsStorablePhoneNumber("1+"));
    EXPECT_TRUE(IsStorablePhoneNumber("+1"));
    EXPECT_TRUE(IsStorablePhoneNumber("1"));
}
