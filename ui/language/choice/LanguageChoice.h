#pragma once
// Which language is current: the language files beside the program, the
// choice remembered in the per-user settings store, and the list the about
// window offers. No windows here; the about window (ui/language/frmAbout.h)
// shows what these functions decide.

#include "ports/SettingsStore.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rq7 {

class clsLanguage;

// Where the saved choice lives in the settings store (under kSettingsSection).
inline constexpr const char* kSettingsLanguageKey = "Language";

// Where the language files are: the first of `candidates` that holds a
// "*.lng" file (the program's own directory first, so that a build folder
// keeps its files; then the installed data folder), else the first
// candidate.
std::filesystem::path LanguageDirectory(const std::vector<std::filesystem::path>& candidates);

// The search pattern of the language files in `programDir`: the directory,
// one separator, "*.lng".
std::string LanguagePattern(const std::filesystem::path& programDir);

// Lists the language files of the program's directory; afterwards no
// language is current.
void LoadLanguageList(clsLanguage& language, const std::filesystem::path& programDir);

// Makes the saved language current: the first language, in directory order,
// whose name equals the saved name exactly. No language is current when
// nothing is saved, the saved name is empty or matches none, or the store
// cannot be read.
void RestoreLanguageChoice(clsLanguage& language, SettingsStore& store);

// Stores the current language's name ("" when none); a store that cannot be
// written is ignored. False when it could not be written.
bool SaveLanguageChoice(const clsLanguage& language, SettingsStore& store);

// One entry of the about window's language list.
struct OfferedLanguage {
    std::string name;
    int index; // the language's place in the language object's list (item data)
};

struct LanguageOffer {
    std::vector<OfferedLanguage> entries; // in list order, top first
    int selected = -1;                    // entry shown as chosen; -1 for none
};

// The languages the about window offers: those whose file names them
// (gLanguage) and carries gProgramName, in the reverse of the directory
// order. The current language is selected, else the first "English" (any
// letter case) in directory order, else none. The current language is the
// same afterwards as before.
LanguageOffer OfferedLanguages(clsLanguage& language);

// The about window is closing with `itemData` chosen (nullopt: no entry
// selected): makes that language current. True when the current language
// changed, so that the windows must be re-labelled.
bool TakeLanguageChoice(clsLanguage& language, std::optional<int> itemData);

} // namespace rq7
