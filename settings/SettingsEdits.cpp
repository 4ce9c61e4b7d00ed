#include "settings/SettingsEdits.h"

#include "settings/SettingsFields.h"

#include <algorithm>

namespace rq7 {

SettingsRecord ApplyStep(SettingsRecord record, const EditStep& step, bool redo) {
    for (const FieldDifference& change : step)
        if (const SettingsField* field = findSettingsField(change.field))
            field->set(record, redo ? change.after : change.before);
    return record;
}

SettingsRecord TakeFields(SettingsRecord record, const SettingsRecord& source,
                          const std::vector<std::string>& fields) {
    for (const std::string& name : fields)
        if (const SettingsField* field = findSettingsField(name))
            field->set(record, field->get(source));
    return record;
}

void EditHistory::reset(const SettingsRecord& record) {
    baseline_ = record;
    committed_ = record;
    steps_.clear();
    done_ = 0;
}

void EditHistory::markSaved(const SettingsRecord& record) {
    baseline_ = record;
}

bool EditHistory::commit(const SettingsRecord& record, std::string_view typing) {
    EditStep step = DiffSettings(committed_, record);
    step.erase(std::remove_if(step.begin(), step.end(),
                              [typing](const FieldDifference& d) { return d.field == typing; }),
               step.end());
    if (step.empty())
        return false;
    committed_ = ApplyStep(committed_, step, true);
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    ++done_;
    return true;
}

SettingsRecord EditHistory::undo(const SettingsRecord& current) {
    if (!canUndo())
        return current;
    const EditStep& step = steps_[--done_];
    committed_ = ApplyStep(committed_, step, false);
    return ApplyStep(current, step, false);
}

SettingsRecord EditHistory::redo(const SettingsRecord& current) {
    if (!canRedo())
        return current;
    const EditStep& step = steps_[done_++];
    committed_ = ApplyStep(committed_, step, true);
    return ApplyStep(current, step, true);
}

std::vector<FieldDifference> EditHistory::changes(const SettingsRecord& current) const {
    return DiffSettings(baseline_, current);
}

} // namespace rq7
