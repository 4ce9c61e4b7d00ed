#include "tests/languageui/LanguageProgram.h"

#include "ui/dialogs/RowDialog.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/language/choice/LanguageChoice.h"
#include "ui/language/frmAbout.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace rq7::test {

namespace {

std::string text(QWidget* root, const char* name) {
    auto* label = root->findChild<QLabel*>(QString::fromLatin1(name));
    if (label)
        return label->text().toStdString();
    auto* button = root->findChild<QPushButton*>(QString::fromLatin1(name));
    return button ? button->text().toStdString() : "<missing " + std::string(name) + ">";
}

AboutSeen look(ui::frmAbout* about) {
    AboutSeen seen;
    auto* list = about->findChild<QComboBox*>(QStringLiteral("optLanguage"));
    for (int i = 0; list && i < list->count(); ++i)
        seen.entries.push_back(list->itemText(i).toStdString());
    if (list && list->currentIndex() >= 0)
        seen.selected = list->currentText().toStdString();
    seen.title = about->windowTitle().toStdString();
    seen.programName = text(about, "txtProgramName");
    seen.version = text(about, "txtVersion");
    seen.languageLabel = text(about, "lblLanguage");
    seen.closeCaption = text(about, "btClose");
    seen.modal = about->isModal();
    seen.owner = about->parentWidget();
    return seen;
}

void answer(ui::frmAbout* about, const AboutAnswer& how) {
    if (how.inspect)
        how.inspect(about);
    auto* list = about->findChild<QComboBox*>(QStringLiteral("optLanguage"));
    if (how.chooseNone)
        list->setCurrentIndex(-1);
    if (how.choose)
        list->setCurrentIndex(list->findText(QString::fromStdString(*how.choose)));
    switch (how.how) {
    case AboutAnswer::Close::Button:
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("btClose")),
                          Qt::LeftButton);
        break;
    case AboutAnswer::Close::Escape:
        QTest::keyClick(about, Qt::Key_Escape);
        break;
    case AboutAnswer::Close::CloseBox:
        about->close();
        break;
    }
}

} // namespace

AboutDriver::AboutDriver() {
    qApp->installEventFilter(this);
}

AboutDriver::~AboutDriver() {
    qApp->removeEventFilter(this);
}

bool AboutDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show)
        return false;
    auto* about = qobject_cast<ui::frmAbout*>(watched);
    if (!about)
        return false;
    seen.push_back(look(about));
    AboutAnswer how;
    if (!answers.empty()) {
        how = answers.front();
        answers.pop_front();
    }
    // Answered from inside the window's own modal loop.
    QTimer::singleShot(0, about, [about, how] { answer(about, how); });
    return false;
}

LanguageProgram::LanguageProgram(const std::filesystem::path& programDir,
                                 const std::filesystem::path& settingsDir,
                                 std::deque<AboutAnswer> startAnswers, const DevicePorts& device)
    : store(settingsDir), session{language, texts, store, programDir, &toolkitTexts},
      image_(std::make_unique<EepromImage>()) {
    about.answers = std::move(startAnswers);
    MainWindowPorts ports{prompter, files_, texts, *image_, programDir};
    ports.systemConfigDir = programDir / "no-system-dir";
    ports.language = ui::languageHooks(session);
    ports.device = device;
    window_ = std::make_unique<ui::Hlavni>(ports);
    window_->show();
    settle();
}

LanguageProgram::~LanguageProgram() {
    window_.reset();
    settle();
}

void LanguageProgram::click(const char* button) {
    QTest::mouseClick(window_->findChild<QPushButton*>(QString::fromLatin1(button)),
                      Qt::LeftButton);
    settle();
}

void LanguageProgram::openAbout(const AboutAnswer& answer) {
    about.answers.push_back(answer);
    click("btInformace");
}

void LanguageProgram::openRowDialogs(const std::function<void(QDialog*)>& inspect) {
    const auto cancelOnOpen = [&inspect] {
        QTimer::singleShot(0, qApp, [inspect] {
            auto* dialog = qobject_cast<ui::RowDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (inspect)
                inspect(dialog);
            dialog->reject();
        });
    };
    ui::RowDialogs& dialogs = window_->rowDialogs();
    cancelOnOpen();
    dialogs.EditTC(0);
    cancelOnOpen();
    dialogs.EditINP(0);
    cancelOnOpen();
    dialogs.EditOUT(0);
    settle();
}

std::optional<std::string> savedLanguage(const std::filesystem::path& settingsDir) {
    const QSettings settings(
        QString::fromStdString(
            (settingsDir / (std::string(kSettingsApplication) + ".conf")).string()),
        QSettings::IniFormat);
    const QString key = QStringLiteral("%1/%2").arg(QLatin1String(kSettingsSection),
                                                    QLatin1String(kSettingsLanguageKey));
    if (!settings.contains(key))
        return std::nullopt;
    return settings.value(key).toString().toStdString();
}

void saveLanguage(const std::filesystem::path& settingsDir, const std::string& name) {
    QSettings settings(QString::fromStdString(
                           (settingsDir / (std::string(kSettingsApplication) + ".conf")).string()),
                       QSettings::IniFormat);
    settings.setValue(QStringLiteral("%1/%2").arg(QLatin1String(kSettingsSection),
                                                  QLatin1String(kSettingsLanguageKey)),
                      QString::fromStdString(name));
}

} // namespace rq7::test
