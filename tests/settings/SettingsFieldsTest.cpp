#include "settings/SettingsFields.h"

#include <gtest/gtest.h>
#include <set>

using namespace rq7;

TEST(SettingsFields, NamesAreUniqueAndRowsExpandInOrder) {
    const auto& fields = settingsFields();
    ASSERT_EQ(fields.size(), 21u + 4 * 8 + 9 * 8 + 7 * 8);
    std::set<std::string> names;
    for (const SettingsField& f : fields)
        EXPECT_TRUE(names.insert(f.name()).second) << "duplicate: " << f.name();

    EXPECT_EQ(fields.front().name(), "tabJmenoStanice");
    EXPECT_EQ(fields[20].name(), "tabWaitFree");
    EXPECT_EQ(fields[21].name(), "tabTC(0)");
    EXPECT_EQ(fields[28].name(), "tabTC(7)");
    EXPECT_EQ(fields[29].name(), "tabTCPrijem(0)");
    EXPECT_EQ(fields.back().name(), "tabOUTZpr(7)");
    EXPECT_EQ(findSettingsField("tabTC(3)")->row(), 3);
    EXPECT_EQ(findSettingsField("tabTC(3)")->base(), "tabTC");
    EXPECT_EQ(findSettingsField("tabPIN")->row(), -1);
    EXPECT_EQ(findSettingsField("tabTC(8)"), nullptr);
    EXPECT_EQ(findSettingsField("tabTC"), nullptr);
}

TEST(SettingsFields, KindsAndWidths) {
    struct Case {
        const char* name;
        FieldKind kind;
        int width;
    };
    const Case cases[] = {
        {"tabJmenoStanice", FieldKind::Text, 100},   {"tabPIN", FieldKind::Text, 8},
        {"tabTCcentra", FieldKind::Text, 0},         {"tabDobaPlatnostiSMS", FieldKind::Text, 5},
        {"tabPrepnoutJTSCislo", FieldKind::Text, 1}, {"eeExistTime", FieldKind::Text, 5},
        {"tabRFRWait", FieldKind::Text, 3},          {"tabTC(0)", FieldKind::Text, 50},
        {"tabINPHL(7)", FieldKind::Text, 100},       {"tabOUTimpulsLEN(2)", FieldKind::Text, 3},
        {"tabBezpecRezim", FieldKind::CheckBox, 0},  {"tabTCPoplach(5)", FieldKind::CheckBox, 0},
        {"tabKOMUNIKParita", FieldKind::Choice, 0},
    };
    for (const Case& c : cases) {
        const SettingsField* f = findSettingsField(c.name);
        ASSERT_NE(f, nullptr) << "case: " << c.name;
        EXPECT_EQ(f->kind(), c.kind) << "case: " << c.name;
        EXPECT_EQ(f->maxWidth(), c.width) << "case: " << c.name;
    }
    EXPECT_EQ(findSettingsField("tabKOMUNIKFormat")->items(),
              (std::vector<std::string>{"SIA", "Pulzn\u00ed"}));
    EXPECT_TRUE(findSettingsField("tabPIN")->items().empty());
}

// Setting one field through the table must change that member and no other,
// which proves that every entry reaches a member of its own.
TEST(SettingsFields, EachFieldReachesItsOwnMember) {
    const SettingsRecord initial;
    for (const SettingsField& f : settingsFields()) {
        SettingsRecord r;
        std::string value;
        switch (f.kind()) {
        case FieldKind::Text:
            value = f.get(initial) + "x";
            break;
        case FieldKind::CheckBox:
            value = f.get(initial) == "1" ? "2" : "1";
            break;
        case FieldKind::Choice:
            value = f.items().back();
            break;
        }
        ASSERT_TRUE(f.set(r, value)) << "case: " << f.name();
        EXPECT_NE(r, initial) << "case: " << f.name();
        for (const SettingsField& other : settingsFields()) {
            if (&other != &f) {
                EXPECT_EQ(other.get(r), other.get(initial))
                    << "case: " << f.name() << " also changed " << other.name();
            }
        }
        EXPECT_EQ(f.get(r), value) << "case: " << f.name();
    }
}

TEST(SettingsFields, SetRefusesValuesOutsideTheKind) {
    SettingsRecord r;
    const SettingsRecord initial;
    EXPECT_FALSE(findSettingsField("tabBezpecRezim")->set(r, "3"));
    EXPECT_FALSE(findSettingsField("tabBezpecRezim")->set(r, ""));
    EXPECT_FALSE(findSettingsField("tabBezpecRezim")->set(r, "01"));
    EXPECT_FALSE(findSettingsField("tabKOMUNIKFormat")->set(r, "sia"));
    EXPECT_FALSE(findSettingsField("tabKOMUNIKFrekvence")->set(r, "1400"));
    EXPECT_EQ(r, initial);
    EXPECT_TRUE(findSettingsField("tabPIN")->set(r, " 12 34 "));
    EXPECT_EQ(r.tabPIN, " 12 34 ");
    EXPECT_THROW(findSettingsField("tabPIN")->flag(r), std::logic_error);
    EXPECT_THROW(findSettingsField("opExist")->text(r), std::logic_error);
}
