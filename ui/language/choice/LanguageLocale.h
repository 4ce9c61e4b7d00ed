#pragma once
// The locale of the current language, which chooses the translation of the
// toolkit's own texts (file dialogs, standard buttons).

#include <string>

namespace rq7 {

class clsLanguage;

// The language file's gLocale when it holds a locale name (letters, then
// "_" and letters: "cs", "pt_BR"); else the locale of a known language
// name ("Čeština" -> "cs", "English" -> "en"); else "". With no language
// current the program shows its built-in Czech texts: "cs".
std::string LanguageLocale(const clsLanguage& language);

// True for a locale name as gLocale may give it.
bool IsLocaleName(const std::string& name);

} // namespace rq7
