#include "settings/SmsCentre.h"

#include <gtest/gtest.h>

using namespace rq7;

TEST(SmsCentre, NumberBetweenTheBrackets) {
    struct Case {
        const char* text;
        const char* number;
    };
    const Case cases[] = {
        {"Operator <+420602909909>", "+420602909909"},
        {"+420602909909", "+420602909909"},
        {"A <>", ""},
        {"no close <123", "no close <123"},
        {"close before > open <1> x", "1"},
        {"<1><2>", "1"},
        {"", ""},
        {"Operator <+420603052000>", "+420603052000"},
        {"A <+42 0>", "+42 0"},
        {"A <+420", "A <+420"},
        {"A >1< 2 >", " 2 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSMSC(c.text), c.number) << "case: " << c.text;
}

TEST(SmsCentre, SelectsTheItemCarryingTheNumber) {
    const std::vector<std::string> items = {"A <111>", "B <222>", "C"};
    struct Case {
        const char* text;
        int item;
    };
    const Case cases[] = {{"222", 1}, {"111", 0}, {"C", 2}, {"333", -1}, {"B <222>", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(SmscItemFor(c.text, items), c.item) << "case: " << c.text;
        std::string text = c.text;
        SetSMSC(text, items);
        EXPECT_EQ(text, c.item < 0 ? std::string(c.text) : items[c.item]) << "case: " << c.text;
    }
    EXPECT_EQ(SmscItemFor("1", {}), -1);
}

TEST(SmsCentre, TheTextAfterASelectionDecidesTheLaterItems) {
    // Selecting "Old <5>" makes the text "Old <5>", which "New <5>" no
    // longer matches; a bare "5" item leaves the text "5", so the next one
    // still matches and wins.
    EXPECT_EQ(SmscItemFor("5", {"Old <5>", "New <5>"}), 0);
    EXPECT_EQ(SmscItemFor("5", {"5", "B <5>"}), 1);
}
