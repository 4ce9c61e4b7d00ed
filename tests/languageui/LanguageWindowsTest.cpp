// The language start-up, the about window and the re-labelling of every
// window, driven through the program as rq7-init builds it.

#include "device/ConnectionState.h"
#include "tests/languageui/LabelCheck.h"
#include "tests/languageui/LanguageFiles.h"
#include "tests/languageui/LanguageProgram.h"
#include "tests/support/Captions.h"
#include "ui/dialogs/Info.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/dialogs/TelCislo.h"
#include "ui/dialogs/Vstup.h"
#include "ui/dialogs/Vystup.h"
#include "ui/language/choice/ProgramIdentity.h"
#include "ui/language/frmAbout.h"
#include "ui/main/MainLabels.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

namespace fs = std::filesystem;
using Close = AboutAnswer::Close;

const LanguageFileContent kCzech{"Čeština", "RQ7 Init", "C", {}};
const LanguageFileContent kEnglish{"English", "RQ7 Init", "E", {}};

class LanguageWindows : public ::testing::Test {
protected:
    LanguageWindows() {
        fs::create_directories(programDir);
        fs::create_directories(settingsDir);
    }
    void write(const std::string& file, const LanguageFileContent& content) {
        writeLanguageFile(programDir, file, content);
    }
    // The names the about window lists, top first: the reverse of the
    // directory order.
    std::vector<std::string> listedNames(const std::map<std::string, std::string>& nameOfFile) {
        std::vector<std::string> names;
        for (const std::string& file : lngFilesInDirectoryOrder(programDir))
            if (nameOfFile.count(file))
                names.insert(names.begin(), nameOfFile.at(file));
        return names;
    }

    QTemporaryDir temp;
    fs::path programDir = fs::path(temp.path().toStdString()) / "program";
    fs::path settingsDir = fs::path(temp.path().toStdString()) / "settings";
};

std::string windowText(QWidget* root, const char* name) {
    auto* control = root->findChild<QWidget*>(QString::fromLatin1(name));
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text().toStdString();
    return "<missing " + std::string(name) + ">";
}

std::string versionWith(const std::string& word) {
    return VersionText(word, programVersion());
}

// Every window of the program against its label table with `expected`.
void expectEveryWindow(LanguageProgram& program,
                       const std::function<std::string(const std::string&)>& expected,
                       const std::string& what) {
    ui::Hlavni& window = program.window();
    const ui::RowDialogs& dialogs = window.rowDialogs();
    ASSERT_NE(dialogs.telCislo(), nullptr);
    ASSERT_NE(dialogs.vstup(), nullptr);
    ASSERT_NE(dialogs.vystup(), nullptr);
    const std::pair<QWidget*, const std::vector<ui::ControlLabel>*> windows[] = {
        {&window, &ui::mainWindowLabels()},
        {dialogs.telCislo(), &ui::telCisloLabels()},
        {dialogs.vstup(), &ui::vstupLabels()},
        {dialogs.vystup(), &ui::vystupLabels()},
    };
    for (const auto& [root, table] : windows)
        for (const std::string& mismatch : labelMismatches(root, *table, expected))
            ADD_FAILURE() << what << ": " << root->objectName().toStdString() << ": " << mismatch;
}

void expectTagged(LanguageProgram& program, const std::string& tag) {
    expectEveryWindow(
        program, [&](const std::string& pattern) { return taggedPattern(pattern, tag); },
        "tag " + tag);
    ui::Hlavni& window = program.window();
    EXPECT_EQ(windowText(&window, "btDEA"), tagged("btActivate", tag));
    EXPECT_EQ(windowText(&window, "tabDeAktivNapis"),
              tagged(device::TextKey(device::ConnectionState::Neaktivni), tag));
    ASSERT_NE(window.statusWindow(), nullptr);
    EXPECT_EQ(windowText(window.statusWindow(), "Storno"), tagged("btCancel", tag));
    EXPECT_EQ(window.statusWindow()->windowTitle().toStdString(), "RQ7 Init");
}

TEST_F(LanguageWindows, FirstRunAsksWithEnglishSelectedAndTakesIt) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    write("foreign.lng", {"Foreign", "", "F", {}});
    LanguageProgram program(programDir, settingsDir);

    ASSERT_EQ(program.about.seen.size(), 1u) << "the about window opens once at start-up";
    const AboutSeen& about = program.about.seen[0];
    EXPECT_EQ(about.entries, listedNames({{"cz.lng", "Čeština"}, {"en.lng", "English"}}));
    EXPECT_EQ(about.selected, "English");
    EXPECT_TRUE(about.modal);
    EXPECT_EQ(about.owner, &program.window());
    // No language is current yet: the built-in texts.
    EXPECT_EQ(about.title, "Settings and information about RQ7 Init");
    EXPECT_EQ(about.programName, "RQ7 Init");
    EXPECT_EQ(about.version, versionWith("Version"));
    EXPECT_EQ(about.languageLabel, "Language:");
    EXPECT_EQ(about.closeCaption, "&Close");

    EXPECT_EQ(program.language.Name(), "English");
    EXPECT_EQ(savedLanguage(settingsDir), "English");
    program.openRowDialogs();
    expectTagged(program, "E");
}

TEST_F(LanguageWindows, EveryWayOfClosingTakesTheSelection) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    const std::pair<const char*, Close> ways[] = {
        {"btClose", Close::Button}, {"Esc", Close::Escape}, {"close box", Close::CloseBox}};
    for (const auto& [name, how] : ways) {
        fs::remove_all(settingsDir);
        LanguageProgram program(programDir, settingsDir, {{"Čeština", false, how}});
        ASSERT_EQ(program.about.seen.size(), 1u) << "case: " << name;
        EXPECT_EQ(program.language.Name(), "Čeština") << "case: " << name;
        EXPECT_EQ(savedLanguage(settingsDir), "Čeština") << "case: " << name;
        EXPECT_EQ(captionOf(&program.window()), tagged("lblMainForm", "C")) << "case: " << name;
    }
}

TEST_F(LanguageWindows, ClosingWithoutASelectionKeepsTheBuiltInTextsAndSavesTheEmptyName) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    {
        LanguageProgram program(programDir, settingsDir, {{std::nullopt, true, Close::Button}});
        EXPECT_EQ(program.language.Index(), -1);
        EXPECT_EQ(savedLanguage(settingsDir), "");
        EXPECT_EQ(captionOf(&program.window()), "Inicializační program pro zařízení RQ7");
    }
    // The empty name chooses nothing: the next start asks again.
    LanguageProgram again(programDir, settingsDir);
    EXPECT_EQ(again.about.seen.size(), 1u);
}

TEST_F(LanguageWindows, ChoosingALanguageRelabelsEveryWindowAndIsRememberedForTheNextStart) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    saveLanguage(settingsDir, "English");
    {
        LanguageProgram program(programDir, settingsDir);
        EXPECT_TRUE(program.about.seen.empty()) << "a saved language needs no question";
        program.openRowDialogs();
        expectTagged(program, "E");

        program.openAbout({"Čeština"});
        ASSERT_EQ(program.about.seen.size(), 1u);
        const AboutSeen& about = program.about.seen[0];
        EXPECT_EQ(about.selected, "English") << "the current language is selected";
        EXPECT_EQ(about.title, tagged("lblAboutForm", "E"));
        EXPECT_EQ(about.version, versionWith(tagged("lblVersion", "E")));
        EXPECT_EQ(about.languageLabel, tagged("lblLanguage", "E"));
        EXPECT_EQ(about.closeCaption, tagged("btClose", "E"));
        EXPECT_EQ(about.owner, &program.window());

        EXPECT_EQ(program.language.Name(), "Čeština");
        EXPECT_EQ(savedLanguage(settingsDir), "Čeština");
        expectTagged(program, "C");
    }
    LanguageProgram next(programDir, settingsDir);
    EXPECT_TRUE(next.about.seen.empty());
    EXPECT_EQ(next.language.Name(), "Čeština");
    EXPECT_EQ(captionOf(&next.window()), tagged("lblMainForm", "C"));
}

TEST_F(LanguageWindows, TheToolkitsOwnTextsFollowTheLanguage) {
    // The standard buttons of message boxes and file dialogs.
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    saveLanguage(settingsDir, "\u010ce\u0161tina");
    LanguageProgram program(programDir, settingsDir);
    EXPECT_EQ(program.toolkitTexts.current(), "cs");
    EXPECT_NE(yes(), QStringLiteral("&Yes")) << "is qt6-translations-l10n installed?";
    program.openAbout({"English"});
    EXPECT_EQ(program.toolkitTexts.current(), "en");
    EXPECT_EQ(yes(), QStringLiteral("&Yes"));
}

TEST_F(LanguageWindows, RelabellingResetsTheDefaultUtoField) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    saveLanguage(settingsDir, "English");
    LanguageProgram program(programDir, settingsDir);
    auto* uto = program.window().findChild<QLineEdit*>(QStringLiteral("tabUTO"));
    ASSERT_NE(uto, nullptr);
    EXPECT_EQ(uto->text().toStdString(), tagged("valUTO", "E"));
    uto->setText(QStringLiteral("+421"));
    program.openAbout({"Čeština"});
    EXPECT_EQ(uto->text().toStdString(), tagged("valUTO", "C"));
}

TEST_F(LanguageWindows, ChoosingTheCurrentLanguageChangesNothingButStoresTheName) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    saveLanguage(settingsDir, "English");
    LanguageProgram program(programDir, settingsDir);
    auto* uto = program.window().findChild<QLineEdit*>(QStringLiteral("tabUTO"));
    uto->setText(QStringLiteral("+421"));
    saveLanguage(settingsDir, "stale");

    program.openAbout({"English"});
    EXPECT_EQ(program.language.Name(), "English");
    EXPECT_EQ(uto->text().toStdString(), "+421") << "no re-labelling took place";
    EXPECT_EQ(savedLanguage(settingsDir), "English");

    // Closing with the selection as it opened is the same choice.
    saveLanguage(settingsDir, "stale");
    program.openAbout({});
    EXPECT_EQ(uto->text().toStdString(), "+421");
    EXPECT_EQ(savedLanguage(settingsDir), "English");
}

TEST_F(LanguageWindows, ASavedNameThatNoLongerExistsAsksAgain) {
    write("cz.lng", kCzech);
    write("en.lng", kEnglish);
    saveLanguage(settingsDir, "Deutsch");
    LanguageProgram program(programDir, settingsDir, {{"Čeština"}});
    ASSERT_EQ(program.about.seen.size(), 1u);
    EXPECT_EQ(program.about.seen[0].selected, "English");
    EXPECT_EQ(program.language.Name(), "Čeština");
    EXPECT_EQ(savedLanguage(settingsDir), "Čeština");
}

TEST_F(LanguageWindows, TwoFilesOfTheSameNameRestoreTheFirstInDirectoryOrder) {
    write("one.lng", {"Twice", "RQ7 Init", "ONE", {}});
    write("two.lng", {"Twice", "RQ7 Init", "TWO", {}});
    const std::string first = lngFilesInDirectoryOrder(programDir).at(0);
    saveLanguage(settingsDir, "Twice");
    LanguageProgram program(programDir, settingsDir);
    EXPECT_TRUE(program.about.seen.empty());
    EXPECT_EQ(program.language.File(), (programDir / first).string());
    EXPECT_EQ(captionOf(&program.window()),
              tagged("lblMainForm", first == "one.lng" ? "ONE" : "TWO"));
}

TEST_F(LanguageWindows, NoLanguageFilesGiveTheBuiltInTextsEverywhere) {
    LanguageProgram program(programDir, settingsDir);
    ASSERT_EQ(program.about.seen.size(), 1u);
    EXPECT_TRUE(program.about.seen[0].entries.empty());
    EXPECT_EQ(program.about.seen[0].selected, "");
    EXPECT_EQ(program.about.seen[0].version, versionWith("Version"));
    EXPECT_EQ(program.language.Index(), -1);
    EXPECT_EQ(savedLanguage(settingsDir), "");

    program.openRowDialogs();
    const Texts builtIn;
    expectEveryWindow(
        program, [&](const std::string& pattern) { return ui::composeLabel(pattern, builtIn); },
        "built-in");
    ui::Hlavni& window = program.window();
    const std::pair<QWidget*, std::pair<const char*, const char*>> literal[] = {
        {&window, {"btDEA", "&Aktivovat"}},
        {&window, {"tabDeAktivNapis", "Neaktivní"}},
        {&window, {"tabUTO", "+420"}},
        {&window, {"lblTCPrijem", "Akceptovat příkazy\nz tohoto čísla"}},
        {&window, {"btKonec", "U&končit"}},
        {window.statusWindow(), {"Storno", "&Storno"}},
        {window.rowDialogs().telCislo(), {"lblTC", "Telefonní číslo:"}},
        {window.rowDialogs().vstup(), {"lblDInpStateOff", "Název stavu vypnuto (0):"}},
        {window.rowDialogs().vystup(), {"OUTZpr", "Uvádět v hlášení"}},
    };
    for (const auto& [root, control] : literal)
        EXPECT_EQ(windowText(root, control.first), control.second) << "control " << control.first;
    EXPECT_EQ(captionOf(&window), "Inicializační program pro zařízení RQ7");
}

TEST_F(LanguageWindows, AStoreThatCannotBeUsedIsIgnored) {
    write("en.lng", kEnglish);
    fs::remove_all(settingsDir);
    std::ofstream(settingsDir) << "a file where the store's directory should be";
    LanguageProgram program(programDir, settingsDir, {{"English"}});
    ASSERT_EQ(program.about.seen.size(), 1u) << "nothing could be restored";
    EXPECT_EQ(program.language.Name(), "English");
    EXPECT_EQ(captionOf(&program.window()), tagged("lblMainForm", "E"));
    EXPECT_TRUE(program.prompter.asked.empty()) << "no message about the store";
}

TEST_F(LanguageWindows, TheAboutWindowRelabelsItselfAnyTime) {
    write("en.lng", kEnglish);
    saveLanguage(settingsDir, "English");
    LanguageProgram program(programDir, settingsDir);
    ui::frmAbout about(ui::AboutPorts{program.language, program.texts, program.store, {}},
                       &program.window());
    EXPECT_EQ(about.windowTitle().toStdString(), tagged("lblAboutForm", "E"));
    program.language.Index(-1);
    about.ChangeLanguage();
    for (const std::string& mismatch :
         labelMismatches(&about, ui::aboutWindowLabels(), [](const std::string& pattern) {
             return ui::composeLabel(pattern, Texts{});
         }))
        ADD_FAILURE() << mismatch;
    EXPECT_EQ(windowText(&about, "txtVersion"), versionWith("Version"));
}

TEST_F(LanguageWindows, TextsThatLookLikeMarkupAreShownAsWritten) {
    LanguageFileContent content = kEnglish;
    content.texts = {{"lblProduct", "<b>Product</b>:"},
                     {"lblDInpName1", "<i>Name</i>"},
                     {"lblTC", "Number <b>T</b>"},
                     {"lblDOutStates", "<u>State</u>"},
                     {"lblLanguage", "<b>Language</b>:"}};
    write("en.lng", content);
    saveLanguage(settingsDir, "English");
    LanguageProgram program(programDir, settingsDir);
    program.openRowDialogs();
    ui::Hlavni& window = program.window();
    ui::frmAbout about(ui::AboutPorts{program.language, program.texts, program.store, {}}, &window);

    const std::pair<QWidget*, std::pair<const char*, const char*>> marked[] = {
        {&window, {"lblProduct", "<b>Product</b>:"}},
        {window.rowDialogs().telCislo(), {"lblTC", "Number <b>T</b>:"}},
        {window.rowDialogs().vstup(), {"lblDInpName", "<i>Name</i> lblDInpName2@E:"}},
        {window.rowDialogs().vystup(),
         {"lblDOutStateOn", "<u>State</u> lblDOutStateOn1@E (lblDOutStateOn2@E):"}},
        {&about, {"lblLanguage", "<b>Language</b>:"}},
    };
    for (const auto& [root, control] : marked)
        EXPECT_EQ(windowText(root, control.first), control.second) << "control " << control.first;
    for (QWidget* root : std::initializer_list<QWidget*>{
             &window, window.rowDialogs().telCislo(), window.rowDialogs().vstup(),
             window.rowDialogs().vystup(), window.statusWindow(), &about})
        for (const QLabel* label : root->findChildren<QLabel*>())
            EXPECT_TRUE(showsAsWritten(*label))
                << root->objectName().toStdString() << " " << label->objectName().toStdString()
                << ": " << label->text().toStdString();
}

} // namespace
} // namespace rq7::test
