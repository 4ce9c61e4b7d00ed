#include "ui/language/catalogue/Texts.h"

#include "languages/clsLanguage.h"
#include "ui/language/catalogue/Catalogue.h"

#include <string_view>
#include <unordered_map>

namespace rq7 {

std::string Texts::get(const std::string& key) const {
    if (!inCatalogue(key))
        return {};
    return get(key, czechDefault(key));
}

std::string Texts::get(const std::string& key, const std::string& czechDefault) const {
    if (!language_)
        return czechDefault;
    // A language file that cannot be read (removed or emptied while the
    // program runs) leaves the built-in text in place.
    std::string text;
    if (language_->GetExpression(key, czechDefault, text) != LanguageStatus::Ok)
        return czechDefault;
    return text;
}

const std::string& czechDefault(const std::string& key) {
    static const std::unordered_map<std::string, std::string> defaults = [] {
        std::unordered_map<std::string, std::string> all;
        for (const CatalogueEntry& entry : catalogue())
            all.emplace(std::string(entry.key), std::string(entry.czechDefault));
        return all;
    }();
    static const std::string none;
    const auto found = defaults.find(key);
    return found == defaults.end() ? none : found->second;
}

} // namespace rq7
