#pragma once
// The three fixed choice lists of the panel link: each item's text as the
// list shows it and its code in the image. The lists hold exactly these
// items, in this order, and start on the first.

#include "settings/SettingsRecord.h"

#include <array>
#include <optional>
#include <string>

namespace rq7 {

struct ChoiceItem {
    const char* text;
    int code;
};

using ChoiceTable = std::array<ChoiceItem, 2>;

inline constexpr ChoiceTable FormatTable{{{kFormatSia, 0}, {kFormatPulse, 1}}};
inline constexpr ChoiceTable ParityTable{{{kParityNone, 1}, {kParityEven, 2}}};
inline constexpr ChoiceTable FrequencyTable{{{kFrequency1400, 0}, {kFrequency2300, 1}}};

// The code of the first item whose text equals `text`.
inline std::optional<int> choiceCode(const ChoiceTable& table, const std::string& text) {
    for (const ChoiceItem& item : table)
        if (text == item.text)
            return item.code;
    return std::nullopt;
}

// The text of the first item carrying `code`.
inline std::optional<std::string> choiceText(const ChoiceTable& table, int code) {
    for (const ChoiceItem& item : table)
        if (item.code == code)
            return std::string(item.text);
    return std::nullopt;
}

} // namespace rq7
