#pragma once
// The toolkit's own texts (file dialogs, standard buttons, context menus)
// in the program's language: Qt's catalogue qtbase_<locale>.qm from the
// system's translation folder, replaced whenever the language changes.

#include <QString>
#include <memory>
#include <string>

class QTranslator;

namespace rq7::ui {

class QtTranslations {
public:
    // `folder`: where the qtbase_*.qm files are; empty for Qt's own folder.
    explicit QtTranslations(QString folder = {});
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Puts the catalogue of `locale` in place of the one used so far; with
    // "" or a locale without a catalogue the toolkit shows its built-in
    // English. True when a catalogue was loaded.
    bool use(const std::string& locale);

    // The locale whose catalogue is installed; "" for none.
    const std::string& current() const { return current_; }

private:
    QString folder_;
    std::unique_ptr<QTranslator> translator_;
    std::string current_;
};

} // namespace rq7::ui
