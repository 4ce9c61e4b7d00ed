#pragma once
// The program as rq7-init puts it together (one language object, the
// settings store, the main window with the language hooks), over a program
// directory and a settings directory of the test's own. The about window is
// answered from a script whenever it opens.

#include "languages/clsLanguage.h"
#include "operations/FileDialog.h"
#include "ports/Prompter.h"
#include "settings/EepromImage.h"
#include "tests/support/EventLoop.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/language/LanguageStartup.h"
#include "ui/language/QtSettingsStore.h"
#include "ui/language/QtTranslations.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/Hlavni.h"

#include <QObject>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace rq7::test {

// How the test answers one about window.
struct AboutAnswer {
    enum class Close { Button, Escape, CloseBox };
    std::optional<std::string> choose; // select the entry of this name first
    bool chooseNone = false;           // clear the selection first
    Close how = Close::Button;
    // Runs while the window is open and laid out, before the answer.
    std::function<void(QDialog*)> inspect = {};
};

// What one about window showed when it opened.
struct AboutSeen {
    std::vector<std::string> entries; // top first
    std::string selected;             // "" for none
    std::string title;
    std::string programName;
    std::string version;
    std::string languageLabel;
    std::string closeCaption;
    bool modal = false;
    QWidget* owner = nullptr;
};

// Answers every about window shown while it lives, in order; without an
// answer left it closes the window with btClose.
class AboutDriver : public QObject {
public:
    AboutDriver();
    ~AboutDriver() override;

    std::deque<AboutAnswer> answers;
    std::vector<AboutSeen> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class LanguageProgram {
public:
    // `device`: the way to a device (none: the system's serial ports).
    LanguageProgram(const std::filesystem::path& programDir,
                    const std::filesystem::path& settingsDir,
                    std::deque<AboutAnswer> startAnswers = {}, const DevicePorts& device = {});
    ~LanguageProgram();

    ui::Hlavni& window() { return *window_; }
    // A click on a button of the main window; what it starts runs to its end.
    void click(const char* button);
    // btInformace clicked, the about window answered.
    void openAbout(const AboutAnswer& answer = {});
    // Each row dialog opened once and cancelled, so that all exist;
    // `inspect` runs while each is open and laid out.
    void openRowDialogs(const std::function<void(QDialog*)>& inspect = {});

    clsLanguage language;
    Texts texts{&language};
    ui::QtSettingsStore store;
    ui::QtTranslations toolkitTexts;
    ui::LanguageSession session;
    ScriptedPrompter prompter;
    AboutDriver about; // what the about windows showed, start-up first

private:
    FakeFileDialog files_;
    std::unique_ptr<EepromImage> image_;
    std::unique_ptr<ui::Hlavni> window_;
};

// The name saved in the settings directory's store; nullopt when none.
std::optional<std::string> savedLanguage(const std::filesystem::path& settingsDir);
void saveLanguage(const std::filesystem::path& settingsDir, const std::string& name);

} // namespace rq7::test
