#include "ui/main/rules/RuleMessages.h"

namespace rq7::rules {

Message KeyMessage(const Texts& texts, std::string_view key, Icon icon, std::string_view appended) {
    Message m;
    m.key = std::string(key);
    m.text = texts.get(m.key) + std::string(appended);
    m.icon = icon;
    m.buttons = Buttons::Ok;
    return m;
}

Message FixedMessage(std::string_view text, Icon icon, std::string_view title, Buttons buttons) {
    Message m;
    m.text = std::string(text);
    m.icon = icon;
    m.buttons = buttons;
    m.title = std::string(title);
    return m;
}

} // namespace rq7::rules
