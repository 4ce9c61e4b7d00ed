#include "ui/language/frmAbout.h"

#include "languages/clsLanguage.h"
#include "operations/InstallationLog.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/LabelApplier.h"
#include "ui/language/choice/LanguageChoice.h"
#include "ui/language/choice/ProgramIdentity.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace rq7::ui {

namespace {

// Room beside the caption for the title bar's icon and buttons.
constexpr int kTitleBarReserve = 120;

} // namespace

const std::vector<ControlLabel>& aboutWindowLabels() {
    using T = LabelTarget;
    static const std::vector<ControlLabel> labels = {
        {"frmAbout", T::Caption, "{lblAboutForm}"},
        {"lblLanguage", T::Caption, "{lblLanguage}"},
        {"lblTechnician", T::Caption, "{lblTechnician}"},
        {"btClose", T::Caption, "{btClose}"},
    };
    return labels;
}

frmAbout::frmAbout(const AboutPorts& ports, QWidget* owner)
    : QDialog(owner), ports_(ports), version_(makeLabel(this, QStringLiteral("txtVersion"))),
      languages_(makeCombo(this, QStringLiteral("optLanguage"), false)),
      technician_(makeText(this, QStringLiteral("tabTechnician"), 100)),
      titleRoom_(new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    QLabel* name = makeLabel(this, QStringLiteral("txtProgramName"));
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    name->setFont(big);
    name->setText(QString::fromLatin1(kProgramProductName));
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    version_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    languages_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QPushButton* close = makeButton(this, QStringLiteral("btClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    // The name the installation record gives when no other is given.
    std::string technician;
    ports_.store.read(kSettingsApplication, kSettingsSection, kStoreTechnician, technician);
    technician_->setText(QString::fromStdString(technician));
    auto* choice = new QGridLayout;
    choice->addWidget(makeLabel(this, QStringLiteral("lblLanguage")), 0, 0);
    choice->addWidget(languages_, 0, 1);
    choice->addWidget(makeLabel(this, QStringLiteral("lblTechnician")), 1, 0);
    choice->addWidget(technician_, 1, 1);
    choice->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(name);
    column->addWidget(version_);
    column->addSpacing(name->fontMetrics().lineSpacing() / 2);
    column->addLayout(choice);
    column->addItem(titleRoom_);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    // The window's load.
    ChangeLanguage();
    fillLanguageList();
}

void frmAbout::ChangeLanguage() {
    applyLabels(this, aboutWindowLabels(), ports_.texts);
    versionWord_ = ports_.texts.get("lblVersion");
    showVersion();
    // The window is at least as wide as its caption, so that the title bar
    // need not cut it short.
    titleRoom_->changeSize(fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarReserve, 0,
                           QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (layout())
        layout()->invalidate();
}

void frmAbout::showVersion() {
    version_->setText(QString::fromStdString(VersionText(versionWord_, programVersion())));
}

void frmAbout::fillLanguageList() {
    const LanguageOffer offer = OfferedLanguages(ports_.language);
    languages_->clear();
    for (const OfferedLanguage& entry : offer.entries)
        languages_->addItem(QString::fromStdString(entry.name), entry.index);
    languages_->setCurrentIndex(offer.selected);
}

void frmAbout::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        const int selected = languages_->currentIndex();
        const std::optional<int> chosen =
            selected >= 0 ? std::optional<int>(languages_->itemData(selected).toInt())
                          : std::nullopt;
        if (TakeLanguageChoice(ports_.language, chosen) && ports_.changeLanguageOfWindows)
            ports_.changeLanguageOfWindows();
        SaveLanguageChoice(ports_.language, ports_.store); // a failure is no reason to stay
        ports_.store.write(kSettingsApplication, kSettingsSection, kStoreTechnician,
                           technician_->text().trimmed().toStdString());
    }
    QDialog::done(result);
}

} // namespace rq7::ui
