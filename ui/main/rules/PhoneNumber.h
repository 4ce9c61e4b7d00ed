#pragma once
// Telephone numbers: completion to international form and the test that a
// number can be stored at all.

#include <string>
#include <string_view>

namespace rq7::rules {

// Brings a number to international form with the default prefix (the text of
// tabUTO, passed in):
//  - a number starting with neither "+" nor "00" nor the prefix loses one
//    leading "0" and gets the prefix in front (061 -> +42061);
//  - a leading "00" becomes "+";
//  - anything else is returned unchanged.
// An empty prefix is found at the start of every number, so only the "00"
// rule applies then. An empty number stays empty.
std::string NormalizePhoneNumber(std::string_view number, std::string_view prefix);

// False for a number the image cannot hold: "+" alone encodes as a length of
// zero followed by a type, which the reader cannot tell from the end of the
// entry, so every later number would be misread; a "+" after the first
// character would be stored as a digit that is no hexadecimal digit.
bool IsStorablePhoneNumber(std::string_view number);

} // namespace rq7::rules
