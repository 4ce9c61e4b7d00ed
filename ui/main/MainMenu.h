#pragma once
// The main window's menu bar: Soubor (open, recent files, backup, save,
// compare, quit), Úpravy (undo, redo, changes, revert all) and Nápověda
// (about, manual). Every action is named after its text key; the window's
// buttons keep doing what they do, the menu offers the same and more.

#include "ui/language/catalogue/Texts.h"

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace rq7::ui {

class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QWidget* window);

    QMenuBar* bar() const { return bar_; }
    // The action named `key` ("mnuOpen"); nullptr when there is none.
    QAction* action(const char* key) const;
    // Sets every text from the current language.
    void ChangeLanguage(const Texts& texts);
    // The recent files' submenu: one entry per path (a number, the file's
    // name, its folder as the tooltip); an empty list disables it.
    void setRecentFiles(const std::vector<std::string>& paths,
                        const std::function<void(const std::string&)>& open);

private:
    QMenuBar* bar_;
    QMenu* recent_;
    std::vector<std::pair<QObject*, const char*>> labelled_;
};

} // namespace rq7::ui
