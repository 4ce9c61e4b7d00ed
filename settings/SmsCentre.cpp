#include "settings/SmsCentre.h"

namespace rq7 {

std::string GetSMSC(const std::string& text) {
    const std::size_t open = text.find('<');
    if (open == std::string::npos)
        return text;
    const std::size_t close = text.find('>', open + 1);
    if (close == std::string::npos)
        return text;
    return text.substr(open + 1, close - open - 1);
}

int SmscItemFor(const std::string& text, const std::vector<std::string>& items) {
    std::string current = text;
    int selected = -1;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (current == GetSMSC(items[k])) {
            selected = static_cast<int>(k);
            current = items[k];
        }
    }
    return selected;
}

void SetSMSC(std::string& text, const std::vector<std::string>& items) {
    const int k = SmscItemFor(text, items);
    if (k >= 0)
        text = items[static_cast<std::size_t>(k)];
}

} // namespace rq7
