#include "ui/language/choice/LanguageLocale.h"

#include "languages/clsLanguage.h"
#include "ui/language/catalogue/Catalogue.h"

#include <cctype>
#include <string_view>

namespace rq7 {

namespace {

struct KnownLanguage {
    std::string_view name; // gLanguage, UTF-8
    std::string_view locale;
};

constexpr KnownLanguage kKnown[] = {
    {"\u010ce\u0161tina", "cs"}, {"English", "en"}, {"Sloven\u010dina", "sk"},
    {"Deutsch", "de"},           {"Polski", "pl"},
};

bool isAsciiLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 0x80;
}

} // namespace

bool IsLocaleName(const std::string& name) {
    // Two or three letters, optionally "_" and two to four more.
    const std::size_t under = name.find('_');
    const std::string language = name.substr(0, under);
    const std::string region = under == std::string::npos ? "x" : name.substr(under + 1);
    const auto letters = [](const std::string& part, std::size_t least, std::size_t most) {
        if (part.size() < least || part.size() > most)
            return false;
        for (char c : part)
            if (!isAsciiLetter(c))
                return false;
        return true;
    };
    return letters(language, 2, 3) && (under == std::string::npos || letters(region, 2, 4));
}

std::string LanguageLocale(const clsLanguage& language) {
    if (language.Index() < 0)
        return "cs";
    const std::string own = language.GetExpression(std::string(kLocaleKey), std::string());
    if (IsLocaleName(own))
        return own;
    const std::string name = language.Name();
    for (const KnownLanguage& known : kKnown)
        if (name == known.name)
            return std::string(known.locale);
    return {};
}

} // namespace rq7
