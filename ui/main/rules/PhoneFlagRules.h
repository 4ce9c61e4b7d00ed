#pragma once
// The rules over a telephone row's flags: no flag on a row without a number,
// and at most one row with the alarm flag.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/rules/PhoneRows.h"
#include "ui/main/rules/ValidationState.h"

namespace rq7::rules {

// For the accept, alarm and event flags of `row`, in that order: when the flag
// is on, the row's number is empty and SuppressCrossChecks is false, tell the
// user (msg051, msg052, msg053; exclamation) and then clear the flag. Each
// flag is read when its turn comes, so a flag cleared meanwhile by a handler
// that the clearing raised is not reported twice. False when a flag was
// cleared.
bool CheckPhoneFlags(PhoneRows& rows, int row, const ValidationState& state, const Texts& texts,
                     Prompter& prompter);

// The click handler of the alarm flag of `row`. Runs CheckPhoneFlags; then,
// when the flag is on, the row passed that check, no run of this rule is
// already changing flags and another row also has the alarm flag, asks
// whether this row is to be the only one: Yes clears every row's alarm flag
// and sets this row's again, No (or closing the box) clears this row's.
// The flag changes raise the handler again; AlarmClickBusy keeps those nested
// runs from asking.
void SingleAlarmRule(PhoneRows& rows, int row, ValidationState& state, const Texts& texts,
                     Prompter& prompter);

} // namespace rq7::rules
