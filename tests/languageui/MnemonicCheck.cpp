#include "tests/languageui/MnemonicCheck.h"

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <map>

namespace rq7::test {

std::vector<std::string> mnemonicFaults(QWidget* window) {
    std::vector<std::pair<QString, QString>> captions; // who, text
    const QRegularExpression rowControl(QStringLiteral("_\\d+$"));
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->window() == window && !rowControl.match(button->objectName()).hasMatch())
            captions.emplace_back(button->objectName(), button->text());
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        for (int tab = 0; tab < bar->count(); ++tab)
            captions.emplace_back(QStringLiteral("tab %1").arg(tab), bar->tabText(tab));
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* menu : bar->actions())
            captions.emplace_back(QStringLiteral("menu"), menu->text());

    std::vector<std::string> faults;
    std::map<int, QString> owner; // Alt key -> the control that has it
    for (const auto& [who, text] : captions) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        const std::string seen = who.toStdString() + " '" + text.toStdString() + "'";
        if (key.isEmpty())
            faults.push_back(seen + ": no Alt key");
        else if (const auto [at, fresh] = owner.emplace(key[0].toCombined(), who); !fresh)
            faults.push_back(seen + " shares " + key.toString().toStdString() + " with " +
                             at->second.toStdString());
    }
    return faults;
}

} // namespace rq7::test
