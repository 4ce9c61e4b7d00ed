#pragma once
// What the writer, the reader and the size count share: the string blocks of
// the variable area in the order they lie in the image, and how a text
// becomes image bytes.

#include "encoding/Cp1250.h"
#include "settings/EepromImage.h"
#include "settings/SettingsRecord.h"

#include <array>
#include <string>

namespace rq7::layout {

struct StringBlock {
    long headerWord;
    Rows<std::string> SettingsRecord::*field;
};

// Blocks 1 to 9, in image order (the impulse names follow the reports,
// although their header word comes before them).
inline const std::array<StringBlock, 9> kStringBlocks{{
    {EepromImage::kInputNamesWord, &SettingsRecord::tabINPNazev},
    {EepromImage::kOutputNamesWord, &SettingsRecord::tabOUTNazev},
    {EepromImage::kInputOnWord, &SettingsRecord::tabINPZap},
    {EepromImage::kInputOffWord, &SettingsRecord::tabINPVyp},
    {EepromImage::kOutputOnWord, &SettingsRecord::tabOUTZap},
    {EepromImage::kOutputOffWord, &SettingsRecord::tabOUTVyp},
    {EepromImage::kRisingReportsWord, &SettingsRecord::tabINPLH},
    {EepromImage::kFallingReportsWord, &SettingsRecord::tabINPHL},
    {EepromImage::kImpulseNamesWord, &SettingsRecord::tabOUTimpuls},
}};

// The station block's five strings, in image order. The SMS-centre entry
// holds only the number part of its text.
inline constexpr int kStationStrings = 5;

// A UTF-8 text as image bytes: one Windows-1250 byte per character, "?" for
// a character the code page cannot hold. A NUL character would end the
// string early and shift everything after it, so it is stored as "?" too.
inline std::string imageBytes(const std::string& text) {
    std::string bytes = cp1250::fromUtf8(text);
    for (char& c : bytes)
        if (c == '\0')
            c = '?';
    return bytes;
}

} // namespace rq7::layout
