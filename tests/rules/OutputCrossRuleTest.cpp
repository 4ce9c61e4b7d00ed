#include "ui/main/rules/OutputCrossRule.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace rq7;
using namespace rq7::rules;

namespace {

struct Row {
    const char* name;
    const char* on;
    const char* off;
};

OutputWords words(std::initializer_list<Row> rows) {
    OutputWords w;
    std::size_t i = 0;
    for (const Row& r : rows) {
        w.tabOUTNazev[i] = r.name;
        w.tabOUTZap[i] = r.on;
        w.tabOUTVyp[i] = r.off;
        ++i;
    }
    return w;
}

} // namespace

TEST(OutputCrossRule, Violations) {
    const struct {
        const char* name;
        OutputWords words;
        std::optional<std::string> field; // none: passes
    } cases[] = {
        {"all empty", words({}), std::nullopt},
        {"REL starts RELE", words({{"REL", "", ""}, {"RELE", "", ""}}), "tabOUTNazev(0)"},
        {"case ignored", words({{"rel", "", ""}, {"RELE", "", ""}}), "tabOUTNazev(0)"},
        {"longer name first is free, the shorter one is found",
         words({{"RELE", "", ""}, {"REL", "", ""}}), "tabOUTNazev(1)"},
        {"name starts its own state name", words({{"A", "AB", "C"}}), "tabOUTNazev(0)"},
        {"name starts another row's state name", words({{"X", "", ""}, {"Y", "", "Xoff"}}),
         "tabOUTNazev(0)"},
        {"two outputs of one name", words({{"Svetlo", "", ""}, {"Svetlo", "", ""}}),
         "tabOUTNazev(0)"},
        {"state-1 name starts a name", words({{"ONLINE", "ON", "OFF"}}), "tabOUTZap(0)"},
        {"state-0 name starts a later name", words({{"LAMP", "ON", "OFF"}, {"OFFICE", "", ""}}),
         "tabOUTVyp(0)"},
        {"O is a prefix of ON", words({{"O", "ON", "OFF"}}), "tabOUTNazev(0)"},
        {"ON and OFF everywhere, distinct names",
         words({{"LAMP", "ON", "OFF"},
                {"PUMP", "ON", "OFF"},
                {"GATE", "ON", "OFF"},
                {"HEAT", "ON", "OFF"},
                {"FAN", "ON", "OFF"},
                {"BELL", "ON", "OFF"},
                {"DOOR", "ON", "OFF"},
                {"SIREN", "ON", "OFF"}}),
         std::nullopt},
        {"a state name that starts a longer name", words({{"ONE", "ON", "OFF"}}), "tabOUTZap(0)"},
        {"state names may start each other", words({{"LAMP", "ON", "ONE"}}), std::nullopt},
        {"state names repeat across rows", words({{"A", "X", "Y"}, {"B", "X", "Y"}}), std::nullopt},
        {"a state name equal to its sister is not this rule's business", words({{"A", "X", "x"}}),
         std::nullopt},
        {"empty name among named outputs", words({{"", "ON", "OFF"}, {"LAMP", "", ""}}),
         std::nullopt},
    };
    const Texts texts;
    for (const auto& c : cases) {
        const auto v = OutputCrossRule(c.words, texts);
        ASSERT_EQ(v.has_value(), c.field.has_value()) << "case: " << c.name;
        if (!v)
            continue;
        EXPECT_EQ(v->field(), *c.field) << "case: " << c.name;
        EXPECT_EQ(v->page, 3) << "case: " << c.name;
        EXPECT_EQ(v->message.key, "msg041") << "case: " << c.name;
        EXPECT_EQ(v->message.text, texts.get("msg041")) << "case: " << c.name;
        EXPECT_EQ(v->message.icon, Icon::Exclamation) << "case: " << c.name;
    }
}

TEST(OutputCrossRule, ReadsTheRecordsOutputs) {
    SettingsRecord r;
    r.tabOUTNazev[6] = "GATE";
    r.tabOUTZap[3] = "GA";
    const auto v = OutputCrossRule(OutputWords::from(r), Texts{});
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->control, "tabOUTZap");
    EXPECT_EQ(v->row, 3);
}
