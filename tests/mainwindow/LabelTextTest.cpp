// Label patterns: keys looked up in the current language, literal joiners
// kept, keys outside the catalogue answering their own default.

#include "ui/dialogs/LabelText.h"

#include <gtest/gtest.h>

namespace rq7::ui {
namespace {

TEST(LabelText, ComposesKeysAndLiterals) {
    const Texts texts;
    struct Case {
        const char* pattern;
        const char* text;
    };
    for (const Case& c : {
             Case{"{lblTCPrijem1}\n{lblTCPrijem2}", "Akceptovat příkazy\nz tohoto čísla"},
             Case{"{lblDInpStates} {lblDInpStateOff1} ({lblDInpStateOff2}):",
                  "Název stavu vypnuto (0):"},
             Case{"{notInTheCatalogue|Vlastní text}", "Vlastní text"},
             Case{"{lblPIN|ignored default}", "PIN:"},
             Case{"plain text", "plain text"},
             Case{"open {brace", "open {brace"},
             Case{"", ""},
         })
        EXPECT_EQ(composeLabel(c.pattern, texts), c.text) << "case: " << c.pattern;
}

TEST(LabelText, ListsTheKeysItLooksUp) {
    EXPECT_EQ(labelKeys("{a}\n{b|B} x {c}"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(labelKeys("no keys").empty());
}

} // namespace
} // namespace rq7::ui
