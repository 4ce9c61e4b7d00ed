#include "ui/dialogs/LabelText.h"

namespace rq7::ui {

namespace {

struct KeyRef {
    std::string key;
    std::string fallback; // "" when the pattern gives none
};

KeyRef parseKey(const std::string& inner) {
    const auto bar = inner.find('|');
    if (bar == std::string::npos)
        return {inner, {}};
    return {inner.substr(0, bar), inner.substr(bar + 1)};
}

// Calls piece(literal) and key(ref) in pattern order. An unclosed brace is
// literal text.
template <typename Literal, typename Key>
void walkPattern(const std::string& pattern, Literal literal, Key key) {
    std::size_t at = 0;
    while (at < pattern.size()) {
        const auto open = pattern.find('{', at);
        const auto close = open == std::string::npos ? open : pattern.find('}', open);
        if (close == std::string::npos) {
            literal(pattern.substr(at));
            return;
        }
        literal(pattern.substr(at, open - at));
        key(parseKey(pattern.substr(open + 1, close - open - 1)));
        at = close + 1;
    }
}

} // namespace

std::string composeLabel(const std::string& pattern, const Texts& texts) {
    std::string text;
    walkPattern(
        pattern, [&](const std::string& piece) { text += piece; },
        [&](const KeyRef& ref) {
            // The catalogue's own default wins over the one in the pattern.
            const std::string& builtIn = czechDefault(ref.key);
            text += texts.get(ref.key, builtIn.empty() ? ref.fallback : builtIn);
        });
    return text;
}

std::vector<std::string> labelKeys(const std::string& pattern) {
    std::vector<std::string> keys;
    walkPattern(
        pattern, [](const std::string&) {}, [&](const KeyRef& ref) { keys.push_back(ref.key); });
    return keys;
}

} // namespace rq7::ui
