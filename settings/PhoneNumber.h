#pragma once
// Telephone numbers as the image stores them: the address field of an SMS
// (length, type, digits in swapped pairs) written out in hexadecimal
// characters. "+420123456789" <-> "0C91241032547698",
// "123456789" <-> "098121436587F9".

#include <optional>
#include <string>

namespace rq7 {

// Longest number whose length still fits the two-character length field.
inline constexpr int kMaxPhoneDigits = 255;

// Encodes a number (UTF-8). A leading "+" gives the type "91", anything else
// "81"; the length field counts the characters after the "+" and has two
// hexadecimal digits (more only beyond kMaxPhoneDigits, which the image
// cannot hold). The empty text gives "00".
std::string EncodePhoneNumber(const std::string& text);

// Decodes an encoded number; nothing when its first two characters are not
// a hexadecimal length. Characters the length field promises but the text
// lacks are simply missing from the result; a final "F" is dropped.
std::optional<std::string> DecodePhoneNumber(const std::string& encoded);

// A number with no character after its optional "+" ("" or "+" alone)
// is stored as the empty entry, a single byte 0.
bool PhoneStoredEmpty(const std::string& text);

namespace phone_bytes {
// The same codings on code-page bytes, one byte per character.
std::string encode(const std::string& bytes);
std::optional<std::string> decode(const std::string& bytes);
} // namespace phone_bytes

} // namespace rq7
