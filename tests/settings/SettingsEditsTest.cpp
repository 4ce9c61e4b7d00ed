#include "settings/SettingsEdits.h"

#include "settings/SettingsFields.h"

#include <gtest/gtest.h>

namespace rq7 {
namespace {

using Names = std::vector<std::string>;

// One user action on the window's settings and the history.
struct Act {
    enum Kind { Edit, Type, CommitTyping, Undo, Redo, Revert, Take, Save, Load } kind;
    std::string field = {};
    std::string value = {};
};

struct Case {
    const char* name;
    std::vector<Act> acts;
    Names changed; // fields differing from the baseline, in field order
    bool canUndo;
    bool canRedo;
    std::string probe = {}; // a field whose value is checked
    std::string value = {};
};

Names names(const std::vector<FieldDifference>& differences) {
    Names out;
    for (const FieldDifference& d : differences)
        out.push_back(d.field);
    return out;
}

TEST(EditHistory, ChangesUndoAndRedo) {
    SettingsRecord other;
    other.tabPIN = "4321";
    other.tabTC[5] = "+420777";
    const std::string initialPin = SettingsRecord{}.tabPIN;
    using A = Act;
    // `pin` edits tabPIN; a case may end with a field to probe and its value.
    const Act pin{A::Edit, "tabPIN", "1234"};
    // clang-format off
    const Case cases[] = {
        {"one edit is one step", {pin}, {"tabPIN"}, true, false},
        {"undo sets the field back", {pin, {A::Undo}}, {}, false, true, "tabPIN", initialPin},
        {"redo sets it again", {pin, {A::Undo}, {A::Redo}}, {"tabPIN"}, true, false, "tabPIN", "1234"},
        {"a new edit ends the redo", {pin, {A::Undo}, {A::Edit, "tabTC(3)", "+42060"}}, {"tabTC(3)"}, true, false},
        {"fields committed together are undone together",
         {{A::Type, "tabPIN", "1234"}, {A::Type, "tabTCPoplach(2)", "1"}, {A::CommitTyping}, {A::Undo}}, {}, false, true},
        {"the field being typed into stays out of the step and keeps its text",
         {{A::Edit, "tabTC(0)", "+42012"}, {A::Type, "tabPIN", "99"}, {A::CommitTyping, "tabPIN"}, {A::Undo}},
         {"tabPIN"}, false, true, "tabPIN", "99"},
        {"an edit back to the loaded value is a step but no change",
         {pin, {A::Edit, "tabPIN", initialPin}}, {}, true, false},
        {"reverting one field is a step of its own",
         {pin, {A::Edit, "tabTC(1)", "+4202"}, {A::Revert, "tabPIN"}}, {"tabTC(1)"}, true, false},
        {"undoing the revert brings the change back",
         {pin, {A::Revert, "tabPIN"}, {A::Undo}}, {"tabPIN"}, true, true, "tabPIN", "1234"},
        {"taking the other side's value is a step",
         {{A::Take, "tabPIN"}, {A::Take, "tabTC(5)"}, {A::Undo}}, {"tabPIN"}, true, true, "tabPIN", "4321"},
        {"a save is the new baseline and keeps the steps", {pin, {A::Save}}, {}, true, false},
        {"undo after a save is a change against the saved settings",
         {pin, {A::Save}, {A::Undo}}, {"tabPIN"}, false, true, "tabPIN", initialPin},
        {"a load forgets the steps", {pin, {A::Undo}, {A::Load}}, {}, false, false},
        {"undo and redo with nothing to do change nothing",
         {{A::Undo}, {A::Redo}}, {}, false, false, "tabPIN", initialPin},
        {"an unknown field is never taken", {{A::Take, "tabPIN(9)"}, {A::CommitTyping}}, {}, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EditHistory history;
        SettingsRecord current;
        history.reset(current);
        for (const Act& act : c.acts) {
            switch (act.kind) {
            case A::Edit:
                ASSERT_TRUE(findSettingsField(act.field)->set(current, act.value)) << c.name;
                history.commit(current);
                break;
            case A::Type:
                findSettingsField(act.field)->set(current, act.value);
                break;
            case A::CommitTyping:
                history.commit(current, act.field);
                break;
            case A::Undo:
                current = history.undo(current);
                break;
            case A::Redo:
                current = history.redo(current);
                break;
            case A::Revert:
                current = TakeFields(current, history.baseline(), {act.field});
                EXPECT_TRUE(history.commit(current)) << c.name;
                break;
            case A::Take:
                current = TakeFields(current, other, {act.field});
                history.commit(current);
                break;
            case A::Save:
                history.commit(current);
                history.markSaved(current);
                break;
            case A::Load:
                history.reset(current);
                break;
            }
        }
        EXPECT_EQ(names(history.changes(current)), c.changed) << "case: " << c.name;
        EXPECT_EQ(history.canUndo(), c.canUndo) << "case: " << c.name;
        EXPECT_EQ(history.canRedo(), c.canRedo) << "case: " << c.name;
        if (!c.probe.empty()) {
            EXPECT_EQ(findSettingsField(c.probe)->get(current), c.value) << "case: " << c.name;
        }
    }
}

} // namespace
} // namespace rq7
