#pragma once
// Every leave-the-field check and the output cross rule applied to a whole
// settings record at once, as if the user had left each field in turn and
// then saved to the device. Used by rq7ctl to check and build settings texts.

#include "ports/Prompter.h"
#include "settings/SettingsRecord.h"
#include "ui/language/catalogue/Texts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rq7::rules {

struct Finding {
    std::string field;                      // "tabTC(3)"
    std::optional<std::string> replacement; // set for a replacement
    Message message;                        // a rejection's message

    bool rejected() const { return !replacement; }
    // "field: msgKEY text" for a rejection, "field=new value" for a replacement.
    std::string line() const;
};

struct RecordCheck {
    std::vector<Finding> findings; // in the order the fields were checked
    SettingsRecord corrected;      // the record with every replacement made

    bool rejected() const;
};

// Checks the fields general first, then the telephone, input and output rows
// (each row's columns in the window's order), then runs the output cross
// rule on the corrected record. Replacements: the clamped numbers, the
// numbers completed with `prefix`, and the flags CheckPhoneFlags clears on a
// row without a number. Each state-name pair is checked as a fresh bounce,
// so one row's msg040 never silences another row. Last, every field the
// image writer would still refuse is reported with msg010 (the writer's
// reason as the message's detail), so that a record without rejections
// always builds.
RecordCheck CheckRecord(const SettingsRecord& record, std::string_view prefix, const Texts& texts);

} // namespace rq7::rules
