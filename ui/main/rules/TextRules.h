#pragma once
// Character-level tests shared by every field rule. Texts are UTF-8 and are
// compared character by character, not byte by byte.

#include <string>
#include <string_view>

namespace rq7::rules {

// True when every character of text occurs in allowed (case matters).
// The empty text is allowed.
bool AllCharsAllowed(std::string_view text, std::string_view allowed);

// False when word is "taken" by the ';'-separated list: it equals an entry or
// is a prefix of one, ignoring case. An empty word is never taken and an
// empty entry takes nothing; an entry that merely starts the word does not
// take it (STATES is free, STA is taken).
bool NotKeywordPrefix(std::string_view word, std::string_view list);

// The text in lower case (ASCII and the Latin letters of the device's code
// page), as the keyword and state-name comparisons see it.
std::string LowerCase(std::string_view text);

} // namespace rq7::rules
