// Every text fits its control and every button and tab has its own Alt key:
// the windows grow with their texts, with the shipped English and Czech files
// and with the built-in Czech texts.

#include "tests/languageui/FitCheck.h"
#include "tests/languageui/LanguageProgram.h"
#include "ui/dialogs/Info.h"
#include "ui/dialogs/MessageBoxPrompter.h"
#include "ui/main/SeriesDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace rq7::test {
namespace {

namespace fs = std::filesystem;

struct Language {
    const char* name;
    std::vector<const char*> files; // shipped files copied beside the program
    const char* saved;              // "" for none: the built-in texts
};

// "btTisk '&Tisk' shares Alt+T with btTabulka" or "… no Alt key" for the
// window's own buttons, tabs and menu titles; the per-row buttons of a table
// ("tabTCZmenit_3") repeat one caption and are left out.
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

void expectFits(QWidget* window, const std::string& where) {
    for (const std::string& clipped : clippedTexts(window))
        ADD_FAILURE() << where << ": " << clipped;
    for (const std::string& fault : mnemonicFaults(window))
        ADD_FAILURE() << where << ": " << fault;
}

// The modal dialog `open` shows, inspected and closed.
void inspectModal(const std::function<void()>& open, const std::function<void(QDialog*)>& look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            look(dialog);
            dialog->reject();
        }
    });
    open();
    EXPECT_TRUE(seen);
}

TEST(TextsFit, EveryWindowInEveryShippedLanguage) {
    const Language languages[] = {
        {"English", {"english.lng", "cestina.lng"}, "English"},
        {"Czech file", {"english.lng", "cestina.lng"}, "Čeština"},
        {"built-in texts", {}, ""},
    };
    for (const Language& language : languages) {
        QTemporaryDir temp;
        const fs::path program = fs::path(temp.path().toStdString()) / "program";
        const fs::path settings = fs::path(temp.path().toStdString()) / "settings";
        fs::create_directories(program);
        for (const char* file : language.files)
            fs::copy_file(fs::path(RQ7_TEST_SOURCE_DIR) / "lang" / file, program / file);
        if (*language.saved)
            saveLanguage(settings, language.saved);
        // Without a saved language the start-up asks; no language is chosen.
        std::deque<AboutAnswer> start;
        if (!*language.saved)
            start.push_back({std::nullopt, true});
        LanguageProgram run(program, settings, start);
        ASSERT_EQ(run.language.Name(), language.saved) << "case: " << language.name;

        ui::Hlavni& window = run.window();
        for (int page = 0; page < window.tabList()->count(); ++page) {
            window.showPage(page);
            settle();
            expectFits(&window, std::string(language.name) + ", page " + std::to_string(page));
        }
        run.openRowDialogs([&](QDialog* dialog) {
            expectFits(dialog,
                       std::string(language.name) + ", " + dialog->objectName().toStdString());
        });
        ui::Info* status = window.statusWindow();
        status->showStatus(run.texts.get("msg026"));
        settle();
        expectFits(status, std::string(language.name) + ", status window");
        status->hideStatus();

        const std::string where = language.name;
        inspectModal([&] { window.findChild<QAction*>(QStringLiteral("mnuChanges"))->trigger(); },
                     [&](QDialog* changes) { expectFits(changes, where + ", changes"); });
        ui::SeriesDialog series({run.texts, run.prompter, {}, {}, {}, {}, {}}, &window);
        series.show();
        settle();
        expectFits(&series, where + ", series");
        series.hide();
        window.findChild<QLineEdit*>(QStringLiteral("tabJmenoStanice"))->setText("X");
        run.prompter.answers = {Answer::Cancel};
        run.click("btFileLoad");
        ASSERT_FALSE(run.prompter.asked.empty());
        std::unique_ptr<QMessageBox> unsaved(
            ui::buildMessageBox(run.prompter.asked.back(), &window));
        EXPECT_TRUE(mnemonicFaults(unsaved.get()).empty()) << where << ", unsaved question";

        AboutAnswer look;
        bool aboutSeen = false;
        look.inspect = [&](QDialog* about) {
            aboutSeen = true;
            expectFits(about, std::string(language.name) + ", about window");
        };
        run.openAbout(look);
        EXPECT_TRUE(aboutSeen) << "case: " << language.name;
        EXPECT_EQ(run.about.seen.size(), *language.saved ? 1u : 2u) << "case: " << language.name;
        EXPECT_TRUE(run.about.answers.empty()) << "case: " << language.name;
        EXPECT_EQ(run.language.Name(), language.saved) << "case: " << language.name;
    }
}

} // namespace
} // namespace rq7::test

namespace rq7::test {
namespace {

// The check itself finds texts cut short, so that a pass above means
// something.
TEST(TextsFit, TheCheckFindsTextsCutShort) {
    const QString longText = QStringLiteral("A caption much longer than the room it was given");
    struct Case {
        const char* name;
        std::function<QWidget*(QWidget*)> make; // returns the control, parent given
        bool clipped;
    } cases[] = {
        {"label", [&](QWidget* p) { return new QLabel(longText, p); }, true},
        {"check box", [&](QWidget* p) { return new QCheckBox(longText, p); }, true},
        {"button", [&](QWidget* p) { return new QPushButton(longText, p); }, true},
        {"frame title", [&](QWidget* p) { return new QGroupBox(longText, p); }, true},
        {"two-line label", [&](QWidget* p) { return new QLabel(QStringLiteral("a\nb\nc\nd"), p); },
         true},
        {"short label", [&](QWidget* p) { return new QLabel(QStringLiteral("ok"), p); }, false},
    };
    for (const Case& c : cases) {
        QWidget window;
        QWidget* control = c.make(&window);
        control->setObjectName(QStringLiteral("control"));
        control->setGeometry(0, 0, 60, control->fontMetrics().height() + 8);
        window.resize(200, 200);
        window.show();
        settle();
        EXPECT_EQ(clippedTexts(&window).empty(), !c.clipped) << "case: " << c.name;
    }

    QWidget window;
    auto* tabs = new QTabWidget(&window);
    tabs->addTab(new QWidget, longText);
    tabs->addTab(new QWidget, longText);
    tabs->setGeometry(0, 0, 120, 100);
    window.resize(200, 200);
    window.show();
    settle();
    EXPECT_FALSE(clippedTexts(&window).empty()) << "case: tab captions";

    QWidget outside;
    auto* label = new QLabel(QStringLiteral("ok"), &outside);
    outside.resize(100, 100);
    label->move(90, 0);
    label->resize(label->sizeHint());
    outside.show();
    settle();
    EXPECT_FALSE(clippedTexts(&outside).empty()) << "case: out of its parent";
}

} // namespace
} // namespace rq7::test
