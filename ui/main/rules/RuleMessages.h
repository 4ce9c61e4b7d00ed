#pragma once
// Builds the message boxes the rules ask for: the looked-up text of a key
// with its set or keyword list appended, or one of the few fixed texts.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"

#include <string>
#include <string_view>

namespace rq7::rules {

// Title of the impulse-name messages of the output dialog: the product name
// followed by " - chyba".
inline constexpr std::string_view kImpulseTitle = "RQ7 - chyba";
// Title and text of the single-alarm prompt; neither is looked up.
inline constexpr std::string_view kSingleAlarmTitle = "TMVinit - info";
inline constexpr std::string_view kSingleAlarmText =
    "V t\u00e9to verzi je mo\u017eno povolit vol\u00e1n\u00ed pouze na jedno telefonn\u00ed "
    "\u010d\u00edslo. M\u00e1 to b\u00fdt pr\u00e1v\u011b toto?";

// The text of `key` in the current language joined directly with `appended`,
// OK button, application title.
Message KeyMessage(const Texts& texts, std::string_view key, Icon icon,
                   std::string_view appended = {});

// A message whose text is fixed in the program (no key).
Message FixedMessage(std::string_view text, Icon icon, std::string_view title,
                     Buttons buttons = Buttons::Ok);

} // namespace rq7::rules
