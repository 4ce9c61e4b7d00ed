#include "ui/language/LanguageStartup.h"

#include "languages/clsLanguage.h"
#include "ui/dialogs/Info.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/language/QtTranslations.h"
#include "ui/language/choice/LanguageChoice.h"
#include "ui/language/choice/LanguageLocale.h"
#include "ui/language/frmAbout.h"
#include "ui/main/Hlavni.h"

#include <QLoggingCategory>
#include <QScreen>

// Silent unless asked for (QT_LOGGING_RULES="rq7.language.info=true"): which
// folder and which file the texts come from.
Q_LOGGING_CATEGORY(lcLanguage, "rq7.language", QtWarningMsg)

namespace rq7::ui {

void StartLanguage(Hlavni& window, LanguageSession& session) {
    LoadLanguageList(session.language, session.languageDir);
    qCInfo(lcLanguage, "%d language files in %s", session.language.Count(),
           session.languageDir.string().c_str());
    session.language.Index(-1);
    RestoreLanguageChoice(session.language, session.store);
    UseToolkitLanguage(session);
    if (session.language.Index() == -1)
        ShowAbout(window, session);
    if (session.language.Index() != -1)
        qCInfo(lcLanguage, "language %s from %s", session.language.Name().c_str(),
               session.language.File().c_str());
    // The status window is built with the main window, before any language
    // was current; it takes the language now, as it would when loaded.
    if (Info* status = window.statusWindow())
        status->ChangeLanguage();
}

void ShowAbout(Hlavni& window, LanguageSession& session) {
    frmAbout about(AboutPorts{session.language, session.texts, session.store,
                              [&window, &session] {
                                  UseToolkitLanguage(session);
                                  ChangeLanguageOfAllWindows(window);
                              }},
                   &window);
    // At start-up the main window is not shown yet, so centring over it
    // would put the question off to a corner: centre it on the screen.
    if (!window.isVisible())
        if (const QScreen* screen = window.screen()) {
            about.adjustSize();
            about.move(screen->availableGeometry().center() - about.rect().center());
        }
    about.exec();
}

void UseToolkitLanguage(LanguageSession& session) {
    if (session.toolkitTexts)
        session.toolkitTexts->use(LanguageLocale(session.language));
}

void ChangeLanguageOfAllWindows(Hlavni& window) {
    window.ChangeLanguage();
    if (Info* status = window.statusWindow())
        status->ChangeLanguage();
    window.rowDialogs().ChangeLanguage(); // TelCislo, Vstup, Vystup
}

LanguageHooks languageHooks(LanguageSession& session) {
    return {[&session](Hlavni& window) { StartLanguage(window, session); },
            [&session](Hlavni& window) { ShowAbout(window, session); }};
}

} // namespace rq7::ui
