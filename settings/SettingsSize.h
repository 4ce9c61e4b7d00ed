#pragma once
// The settings size: the number of EEPROM bytes the record needs plus one
// (image length L + 1), counted without building the image, and the texts
// of the three memory labels of the device-information area.

#include "settings/SettingsRecord.h"

#include <string>

namespace rq7 {

// 65 + (length + 1) for every string of the variable area + (encoded
// length + 1) for every telephone number, 1 for one stored empty. Lengths
// are counted in image bytes, exactly as the writer stores them.
int SettingsSize(const SettingsRecord& record);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
};
inline constexpr Rgb kLabelBlue{0, 0, 255};
inline constexpr Rgb kLabelRed{255, 0, 0};

struct MemoryUsageLabels {
    std::string usage; // lblInfoPamUsage, e.g. "150 byte"
    std::string free;  // lblInfoPamFree, e.g. "874 byte", "-6 byte" or "?"
    Rgb freeColour;    // blue for "?" or zero and more, red when negative
};

// The usage and free-space texts for a settings size, given the text of
// lblInfoPamSize ("?" while no device is identified, else the EEPROM size
// right-aligned in six characters and " byte").
MemoryUsageLabels MemoryUsageTexts(int settingsSize, const std::string& eepromSizeLabel);

// The number at the start of a label text, the way the labels are read
// back: leading blanks skipped, an optional sign, digits; 0 when there is
// none ("?").
long LabelNumber(const std::string& text);

} // namespace rq7
