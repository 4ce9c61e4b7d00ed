#include "ui/language/choice/LanguageChoice.h"

#include "languages/clsLanguage.h"
#include "ui/language/catalogue/Catalogue.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace rq7 {

namespace {

bool equalsIgnoringAsciiCase(const std::string& text, const std::string& word) {
    return text.size() == word.size() &&
           std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

std::filesystem::path LanguageDirectory(const std::vector<std::filesystem::path>& candidates) {
    for (const std::filesystem::path& dir : candidates) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
             it.increment(error))
            if (equalsIgnoringAsciiCase(it->path().extension().string(), ".lng") &&
                it->is_regular_file(error))
                return dir;
    }
    return candidates.empty() ? std::filesystem::path() : candidates.front();
}

std::string LanguagePattern(const std::filesystem::path& programDir) {
    std::string pattern = programDir.string();
    if (pattern.empty() || pattern.back() != '/')
        pattern += '/';
    return pattern + "*.lng";
}

void LoadLanguageList(clsLanguage& language, const std::filesystem::path& programDir) {
    // False only says that no file was found; the empty list says the same.
    language.GetLanguages(LanguagePattern(programDir), programDir.string());
    language.Index(-1);
}

void RestoreLanguageChoice(clsLanguage& language, SettingsStore& store) {
    language.Index(-1);
    std::string saved;
    // "" is what is stored when no language was chosen: it names none, not
    // a file that lacks its name.
    if (!store.read(kSettingsApplication, kSettingsSection, kSettingsLanguageKey, saved) ||
        saved.empty())
        return;
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        if (language.Name() == saved)
            return;
    }
    language.Index(-1);
}

bool SaveLanguageChoice(const clsLanguage& language, SettingsStore& store) {
    return store.write(kSettingsApplication, kSettingsSection, kSettingsLanguageKey,
                       language.Name());
}

LanguageOffer OfferedLanguages(clsLanguage& language) {
    LanguageOffer offer;
    const int current = language.Index();
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        const std::string name = language.Name();
        if (name.empty() ||
            language.GetExpression(std::string(kProgramNameKey), std::string()).empty())
            continue;
        // Each entry goes on top; the selection moves down with its entry.
        offer.entries.insert(offer.entries.begin(), OfferedLanguage{name, i});
        if (offer.selected >= 0)
            ++offer.selected;
        if (i == current)
            offer.selected = 0;
        if (offer.selected < 0 && equalsIgnoringAsciiCase(name, "English"))
            offer.selected = 0;
    }
    language.Index(current);
    return offer;
}

bool TakeLanguageChoice(clsLanguage& language, std::optional<int> itemData) {
    if (!itemData || *itemData == language.Index())
        return false;
    const int before = language.Index();
    language.Index(*itemData);
    return language.Index() != before;
}

} // namespace rq7
