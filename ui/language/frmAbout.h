#pragma once
// The about window: the program's name and version and the language list.
// Opened modally at start-up when no language is current, and by the main
// window's btInformace. Closing it (btClose, Esc or the close box) makes the
// chosen language current, has every window re-labelled when that changed,
// and stores the current language's name either way, and the technician's
// name that the installation record gives when no other is given.

#include "ports/SettingsStore.h"
#include "ui/dialogs/LabelText.h"
#include "ui/language/catalogue/Texts.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpacerItem;

namespace rq7 {
class clsLanguage;
}

namespace rq7::ui {

struct AboutPorts {
    clsLanguage& language;
    const Texts& texts; // reads through `language`
    SettingsStore& store;
    // Re-labels the program's other windows, in their fixed order; called
    // when the language changed as the window closes.
    std::function<void()> changeLanguageOfWindows;
};

// The window's own texts, in labelling order.
const std::vector<ControlLabel>& aboutWindowLabels();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const AboutPorts& ports, QWidget* owner);

    void ChangeLanguage();

protected:
    // Every way of closing ends here: the window's unload.
    void done(int result) override;

private:
    void fillLanguageList();
    void showVersion();

    AboutPorts ports_;
    QLabel* version_;
    QComboBox* languages_;
    QLineEdit* technician_;
    QSpacerItem* titleRoom_;
    std::string versionWord_;
    bool unloaded_ = false;
};

} // namespace rq7::ui
