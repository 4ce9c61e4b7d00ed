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

} // namespace rq7::cli
