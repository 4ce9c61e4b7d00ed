#pragma once
// The field check of a settings text, shared by "rq7ctl check" and
// "rq7ctl build": every leave-the-field rule and the output cross rule, one
// line per finding ("field: msgKEY text" for a rejection, "field=value" for
// a replacement the rules make).

#include "settings/SettingsRecord.h"
#include "ui/main/rules/RecordCheck.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace rq7::cli {

// The default prefix of telephone numbers: the built-in "+420" of the
// main window's prefix field.
std::string defaultPhonePrefix();

// Takes "--prefix P" or "--prefix=P" out of args into prefix. Returns an
// error text for a missing value or a prefix the prefix field would refuse
// (msg50, or more than its 4 characters); nullopt when all is well.
std::optional<std::string> takePrefixOption(std::vector<std::string>& args, std::string& prefix);

// Runs the check on record and writes its lines to out.
rules::RecordCheck printSettingsCheck(const SettingsRecord& record, const std::string& prefix,
                                      std::ostream& out);

// The check as "rq7ctl build" applies it before writing: on any rejection,
// writes every line of the check to err and returns false (the caller
// refuses with status 2); otherwise makes the replacements in record, as the
// windows would on leaving each field, writes their lines to err and returns
// true.
bool applySettingsCheck(SettingsRecord& record, const std::string& prefix, std::ostream& err);

} // namespace rq7::cli
