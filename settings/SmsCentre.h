#pragma once
// The SMS-centre field is the text of an editable list whose items read
// "name <number>". Only the number travels to the image.

#include <string>
#include <vector>

namespace rq7 {

// The number in a text: what lies strictly between its first "<" and the
// first ">" after it (possibly empty); the whole text when there is no
// such pair.
std::string GetSMSC(const std::string& text);

// The list item to select for `text`, or -1 for none. Items are tried in
// order; an item is selected when the current text equals its number, and
// the text then becomes the whole item for the items after it, so the last
// such selection wins.
int SmscItemFor(const std::string& text, const std::vector<std::string>& items);

// Brings `text` into line with the list: the selected item's text, or the
// text unchanged when no item matches.
void SetSMSC(std::string& text, const std::vector<std::string>& items);

} // namespace rq7
