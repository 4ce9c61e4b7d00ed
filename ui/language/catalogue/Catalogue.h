#pragma once
// The program's text catalogue: every key the program looks up in a language
// file, with the built-in Czech text that stands when no language answers.

#include <string>
#include <string_view>
#include <vector>

namespace rq7 {

struct CatalogueEntry {
    std::string_view key;
    std::string_view czechDefault;
};

// All catalogue entries, grouped by window and message number. Keys are
// unique; order carries no meaning for the lookup.
const std::vector<CatalogueEntry>& catalogue();

// The keys of catalogue(), in the same order.
std::vector<std::string> catalogueKeys();

// True when key is one of the catalogue's keys.
bool inCatalogue(std::string_view key);

// Keys that describe a language file itself rather than a text of the
// program: the language's display name and the mark that the file belongs to
// this program. Every shipped language file carries both.
inline constexpr std::string_view kLanguageNameKey = "gLanguage";
inline constexpr std::string_view kProgramNameKey = "gProgramName";
// Optional: the locale of the language ("cs"), for the toolkit's own texts.
inline constexpr std::string_view kLocaleKey = "gLocale";

} // namespace rq7
