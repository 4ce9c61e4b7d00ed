#include "ui/main/MainMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace rq7::ui {

MainMenu::MainMenu(QWidget* window) : QObject(window), bar_(new QMenuBar(window)) {
    bar_->setObjectName(QStringLiteral("MenuBar"));
    const auto menu = [this](QMenu* parent, const char* key) {
        QMenu* made = parent ? parent->addMenu(QString()) : bar_->addMenu(QString());
        made->setObjectName(QString::fromLatin1(key));
        labelled_.emplace_back(made, key);
        return made;
    };
    const auto item = [this, window](QMenu* parent, const char* key, QKeySequence keys = {}) {
        auto* made = new QAction(window);
        made->setObjectName(QString::fromLatin1(key));
        made->setShortcut(keys);
        // Window-wide, so that the keys work on every page; a text field's
        // own Ctrl+Z still wins while it has the focus.
        made->setShortcutContext(Qt::WindowShortcut);
        parent->addAction(made);
        window->addAction(made);
        labelled_.emplace_back(made, key);
        return made;
    };

    QMenu* file = menu(nullptr, "mnuFile");
    item(file, "mnuOpen", QKeySequence::Open);
    recent_ = menu(file, "mnuOpenRecent");
    item(file, "mnuOpenBackup");
    item(file, "mnuSave", QKeySequence::Save);
    file->addSeparator();
    QMenu* compare = menu(file, "mnuCompare");
    item(compare, "mnuCompareFile");
    item(compare, "mnuCompareBackup");
    item(compare, "mnuCompareDevice");
    file->addSeparator();
    item(file, "mnuQuit", QKeySequence::Quit);

    QMenu* edit = menu(nullptr, "mnuEdit");
    item(edit, "mnuUndo", QKeySequence::Undo);
    item(edit, "mnuRedo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addSeparator();
    item(edit, "mnuChanges");
    item(edit, "mnuRevertAll");

    QMenu* help = menu(nullptr, "mnuHelp");
    item(help, "mnuManual", QKeySequence::HelpContents);
    item(help, "mnuAbout");
    recent_->setEnabled(false);
}

QAction* MainMenu::action(const char* key) const {
    return bar_->parentWidget()->findChild<QAction*>(QString::fromLatin1(key),
                                                     Qt::FindDirectChildrenOnly);
}

void MainMenu::ChangeLanguage(const Texts& texts) {
    for (const auto& [object, key] : labelled_) {
        const QString text = QString::fromStdString(texts.get(key));
        if (auto* menu = qobject_cast<QMenu*>(object))
            menu->setTitle(text);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setText(text);
    }
}

void MainMenu::setRecentFiles(const std::vector<std::string>& paths,
                              const std::function<void(const std::string&)>& open) {
    recent_->clear();
    int number = 0;
    for (const std::string& path : paths) {
        const QFileInfo file(QString::fromStdString(path));
        // "&1 name" up to 8: each entry has its digit as mnemonic.
        QAction* entry = recent_->addAction(QStringLiteral("&%1  %2").arg(++number).arg(
            file.fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setToolTip(file.absolutePath());
        entry->setStatusTip(file.absoluteFilePath());
        connect(entry, &QAction::triggered, this, [open, path] { open(path); });
    }
    recent_->setToolTipsVisible(true);
    recent_->setEnabled(!paths.empty());
}

} // namespace rq7::ui
