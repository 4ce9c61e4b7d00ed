#pragma once
// The program's language side as the main window meets it: the start-up
// (language list, saved choice, the about window when none is current), the
// about window behind btInformace, and the re-labelling of every window
// after a change.

#include "ports/SettingsStore.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/MainWindowPorts.h"

#include <filesystem>

namespace rq7 {
class clsLanguage;
}

namespace rq7::ui {

class Hlavni;
class QtTranslations;

// What the language side works with; lives as long as the main window.
struct LanguageSession {
    clsLanguage& language; // the program's one language object
    const Texts& texts;    // reads through `language`
    SettingsStore& store;
    std::filesystem::path languageDir; // where the *.lng files are (see LanguageDirectory)
    // The toolkit's own texts; none in tests that do not look at them.
    QtTranslations* toolkitTexts = nullptr;
};

// The start-up up to the main window's own re-labelling: the language list,
// no language current, the saved choice restored, and the about window
// (modal, owned by `window`) when that left none current.
void StartLanguage(Hlavni& window, LanguageSession& session);

// The about window, modal over `window`, until it is closed.
void ShowAbout(Hlavni& window, LanguageSession& session);

// The toolkit's own texts in the locale of the current language.
void UseToolkitLanguage(LanguageSession& session);

// ChangeLanguage of the main window, the status window and the telephone,
// input and output dialogs, in this order; dialogs not created yet label
// themselves when they are.
void ChangeLanguageOfAllWindows(Hlavni& window);

// The hooks that put `session` into the main window's ports.
LanguageHooks languageHooks(LanguageSession& session);

} // namespace rq7::ui
