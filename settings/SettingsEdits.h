#pragma once
// The edits made to the settings: the settings as last loaded or saved (the
// baseline, which the change list compares with), the settings as of the
// last committed edit, and the committed edits as steps that can be undone
// and redone. A step holds each field it changed with its value before and
// after, so undoing it sets those fields back and leaves every other field
// as it is (the field the user is still typing into keeps its text).

#include "settings/SettingsDiff.h"
#include "settings/SettingsRecord.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rq7 {

// The fields one committed edit changed ("before" is the value it replaced).
using EditStep = std::vector<FieldDifference>;

// `record` with every field of `step` set to its value before the step
// (undo) or after it (redo).
SettingsRecord ApplyStep(SettingsRecord record, const EditStep& step, bool redo);

// `record` with the fields named in `fields` ("tabPIN", "tabTC(3)") taken
// from `source`; unknown names are skipped.
SettingsRecord TakeFields(SettingsRecord record, const SettingsRecord& source,
                          const std::vector<std::string>& fields);

class EditHistory {
public:
    // Settings loaded (or a fresh start): the baseline, no steps.
    void reset(const SettingsRecord& record);
    // Settings saved: the new baseline; the steps stay (commit first).
    void markSaved(const SettingsRecord& record);

    // Makes everything that changed since the last commit one step, except
    // the field named `typing` (a text field that still has the focus: its
    // edit is committed when it is left). A new step ends the redo list.
    // Returns whether a step was added.
    bool commit(const SettingsRecord& record, std::string_view typing = {});

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // `current` with the last step undone / the next step redone; nothing
    // changes when there is none.
    SettingsRecord undo(const SettingsRecord& current);
    SettingsRecord redo(const SettingsRecord& current);

    // Every field of `current` that differs from the baseline.
    std::vector<FieldDifference> changes(const SettingsRecord& current) const;
    const SettingsRecord& baseline() const { return baseline_; }

private:
    SettingsRecord baseline_;
    SettingsRecord committed_;
    std::vector<EditStep> steps_;
    std::size_t done_ = 0; // steps_[0 .. done_) are in effect
};

} // namespace rq7
