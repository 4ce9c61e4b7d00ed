#include "ui/main/rules/PhoneNumber.h"

namespace rq7::rules {

namespace {
bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}
} // namespace

std::string NormalizePhoneNumber(std::string_view number, std::string_view prefix) {
    if (number.empty())
        return std::string();
    if (!startsWith(number, "+") && !startsWith(number, "00") && !startsWith(number, prefix)) {
        if (startsWith(number, "0"))
            number.remove_prefix(1);
        return std::string(prefix) + std::string(number);
    }
    if (startsWith(number, "00"))
        return "+" + std::string(number.substr(2));
    return std::string(number);
}

bool IsStorablePhoneNumber(std::string_view number) {
    return number != "+" && number.find('+', 1) == std::string_view::npos;
}

} // namespace rq7::rules
