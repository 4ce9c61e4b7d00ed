#pragma once
// The allowed-character sets of the settings fields and the reserved command
// keywords. The order of the characters matters: a rejection message shows a
// set exactly as stored here.

#include <string_view>

namespace rq7::rules {

// Input names, input state names and input report texts (90 characters):
// printable ASCII without [ ] { } ~.
inline constexpr std::string_view TextChars = " `!\"@#$%^&*()-_=+\\|;:',<.>/?"
                                              "0123456789"
                                              "abcdefghijklmnopqrstuvwxyz"
                                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Output names, output state names and impulse names (63 characters).
inline constexpr std::string_view IdentChars =
    "_0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The not-authorised report text: every printable ASCII character once (95).
inline constexpr std::string_view PrintableChars =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "[]\\^_`"
    "abcdefghijklmnopqrstuvwxyz"
    "{}|~";

// Telephone numbers, the SMS-centre number and the default prefix.
inline constexpr std::string_view PhoneChars = "+0123456789";

// The SIM PIN.
inline constexpr std::string_view DigitChars = "0123456789";

// Words the device reserves for its SMS commands; no command word may be one
// of them or start one. Shown unchanged, semicolons included, in msg044.
inline constexpr std::string_view CommandKeywords =
    "STATE;STAV;BACK;NOBACK;RESET;SHUTDOWN;NAME;ZPET;NEZPET;JMENO";

} // namespace rq7::rules
