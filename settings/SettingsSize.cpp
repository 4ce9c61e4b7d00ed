#include "settings/SettingsSize.h"

#include "settings/ImageLayout.h"
#include "settings/PhoneNumber.h"
#include "settings/SmsCentre.h"

namespace rq7 {

namespace {

// Header and fixed block, plus the one by which the figure exceeds L.
constexpr int kFixedPart = layout::kVariableAreaAddress + 1;

int stringSize(const std::string& text) {
    return static_cast<int>(layout::imageBytes(text).size()) + 1;
}

} // namespace

int SettingsSize(const SettingsRecord& r) {
    int total = kFixedPart;
    for (const auto member : layout::kStationStrings)
        total += stringSize(member == layout::kSmsCentreString ? GetSMSC(r.*member) : r.*member);
    for (const layout::StringBlock& block : layout::kStringBlocks)
        for (const std::string& text : r.*block.field)
            total += stringSize(text);
    for (const std::string& number : r.tabTC) {
        if (PhoneStoredEmpty(number))
            total += 1;
        else
            total += static_cast<int>(phone_bytes::encode(layout::imageBytes(number)).size()) + 1;
    }
    return total;
}

long LabelNumber(const std::string& text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos)
        return 0;
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+')
        negative = text[pos++] == '-';
    long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (value > 100000000)
            break; // far beyond any EEPROM; keeps the sum in range
        value = value * 10 + (text[pos] - '0');
    }
    return negative ? -value : value;
}

MemoryUsageLabels MemoryUsageTexts(int settingsSize, const std::string& eepromSizeLabel) {
    MemoryUsageLabels labels;
    labels.usage = std::to_string(settingsSize) + " byte";
    if (eepromSizeLabel == "?") {
        labels.free = "?";
        labels.freeColour = kLabelBlue;
        return labels;
    }
    const std::string number =
        eepromSizeLabel.size() > 5 ? eepromSizeLabel.substr(0, eepromSizeLabel.size() - 5) : "";
    const long free = LabelNumber(number) - settingsSize;
    labels.free = std::to_string(free) + " byte";
    labels.freeColour = free >= 0 ? kLabelBlue : kLabelRed;
    return labels;
}

} // namespace rq7
