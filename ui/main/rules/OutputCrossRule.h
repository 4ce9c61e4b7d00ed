#pragma once
// The rule over all outputs at once, run just before the settings go to the
// device: output names and output state names must not collide.

#include "ports/Prompter.h"
#include "settings/SettingsRecord.h"
#include "ui/language/catalogue/Texts.h"

#include <optional>
#include <string>

namespace rq7::rules {

// The texts of the outputs' command words, row by row.
struct OutputWords {
    Rows<std::string> tabOUTNazev{}; // names
    Rows<std::string> tabOUTZap{};   // state-1 names
    Rows<std::string> tabOUTVyp{};   // state-0 names

    static OutputWords from(const SettingsRecord& record);
};

// Where the rule stopped and what to show (msg041, exclamation, OK).
struct OutputCrossViolation {
    std::string control; // "tabOUTNazev", "tabOUTZap" or "tabOUTVyp"
    int row = 0;
    int page = 3; // the outputs page
    Message message;

    std::string field() const; // "tabOUTNazev(2)"
};

// Looks at outputs 0..7 in order and stops at the first violation:
//  - an output's name equals or starts another output's name, or any state
//    name of any output, its own included;
//  - an output's state-1 name, then its state-0 name, equals or starts any
//    output's name (case ignored).
// State names of different outputs may repeat; empty texts never collide.
std::optional<OutputCrossViolation> OutputCrossRule(const OutputWords& words, const Texts& texts);

} // namespace rq7::rules
