#include "ui/main/Hlavni.h"

#include "operations/StartupLists.h"
#include "operations/UnsavedChanges.h"
#include "operations/Workflows.h"
#include "report/qt/PrintReport.h"
#include "settings/SettingsSize.h"
#include "settings/SmsCentre.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/FieldCheck.h"
#include "ui/dialogs/FieldWatcher.h"
#include "ui/dialogs/Info.h"
#include "ui/dialogs/LabelApplier.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/main/CommandArea.h"
#include "ui/main/DeviceCommands.h"
#include "ui/main/EditTracker.h"
#include "ui/main/GeneralPage.h"
#include "ui/main/InputPage.h"
#include "ui/main/MainLabels.h"
#include "ui/main/MainMenu.h"
#include "ui/main/OutputPage.h"
#include "ui/main/PhonePage.h"
#include "ui/main/SettingsBinding.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <filesystem>

namespace rq7::ui {

namespace {

void setColour(QLabel* label, const Rgb& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
    label->setPalette(palette);
}

// Clears a flag on every way out of a scope.
struct FlagScope {
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    bool& flag_;
};

} // namespace

Hlavni::Hlavni(const MainWindowPorts& ports, QWidget* parent)
    : QWidget(parent), ports_(ports),
      phoneRows_(this), leave_{validation_, ports.texts, ports.prompter,
                               [this](int page) { showPage(page); }},
      fieldHooks_{leave_, phoneRows_,
                  [this] {
                      if (!applying_)
                          updateMemoryUsage();
                  },
                  [this](RowTable table, int row) { emit rowEditRequested(table, row); }},
      flagHooks_{phoneRows_, validation_, ports.texts, ports.prompter} {
    setObjectName(QStringLiteral("Hlavni"));
    setAcceptDrops(true);
    qApp->installEventFilter(this); // drops on the controls (HlavniMenu.cpp)
    menu_ = new MainMenu(this);
    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menu_->bar());
    buildContent(layout);

    if (ports.status) {
        status_ = ports.status;
    } else {
        ownStatus_ = new Info(ports.texts, this);
        status_ = ownStatus_;
    }
    watcher_ = new FieldWatcher(this);
    binding_ = std::make_unique<SettingsBinding>(this);
    applyRecord(SettingsRecord{}); // the controls start with the record's initial values
    wireMainFields(this, *watcher_, fieldHooks_);
    wireFlagHandlers(this, flagHooks_);
    wireButtons();
    device_ = new DeviceCommands(*this, ports_, *status_, ownStatus_);
    rowDialogs_ = new RowDialogs(RowDialogPorts{this, ports.texts, ports.prompter, validation_,
                                                phoneRows_, [this] { updateMemoryUsage(); }},
                                 this);
    connect(this, &Hlavni::rowEditRequested, rowDialogs_, [this](RowTable table, int row) {
        switch (table) {
        case RowTable::Telephone:
            rowDialogs_->EditTC(row);
            break;
        case RowTable::Input:
            rowDialogs_->EditINP(row);
            break;
        case RowTable::Output:
            rowDialogs_->EditOUT(row);
            break;
        }
        edits_->commitSoon(); // a row dialog's OK is one step
    });

    // Start-up order: language, tables, connection state.
    if (ports_.language.startUp)
        ports_.language.startUp(*this);
    ChangeLanguage();
    InitTables();
    // The last port that worked replaces InitTables' "COM 1".
    device_->restoreLastPort();
    SetConnectionState(device::ConnectionState::Neaktivni);
    // Every edit from here on is a change against the start's settings.
    edits_ = new EditTracker({this, *binding_, *watcher_, [this] { return record(); },
                              [this](const SettingsRecord& r) { applyRecord(r); }},
                             this);
    binding_->onAnyChange(this, [this] { refreshModified(); });
    wireMenu();
    settingsLoaded({});
}

void Hlavni::showEvent(QShowEvent* event) {
    if (!sized_) {
        // The natural size, known once the style has polished every control;
        // bounded by the screen, where the pages and the left panel scroll.
        sized_ = true;
        ensurePolished();
        fitToTexts();
        QSize page(tabs_->minimumWidth(), 0);
        for (int index = 0; index < tabs_->count(); ++index) {
            auto* scroll = static_cast<QScrollArea*>(tabs_->widget(index));
            page = page.expandedTo(scroll->widget()->sizeHint());
        }
        QWidget* commands = findChild<QScrollArea*>(QStringLiteral("CommandScroll"));
        const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 24;
        QSize natural(commands->sizeHint().width() + page.width() + 2 * frame,
                      std::max(commands->sizeHint().height(),
                               page.height() + tabs_->tabBar()->sizeHint().height() + frame) +
                          menu_->bar()->sizeHint().height() + frame);
        if (const QScreen* screen = this->screen())
            natural = natural.boundedTo(screen->availableGeometry().size() * 0.95);
        resize(natural);
    }
    QWidget::showEvent(event);
}

Hlavni::~Hlavni() = default;

template <typename T> T* Hlavni::child(const char* name) const {
    return findChild<T*>(QString::fromLatin1(name));
}

namespace {

// The left panel's scroll area: as wide as the panel and its vertical scroll
// bar, so that it never scrolls sideways.
class PanelScroll : public QScrollArea {
public:
    QSize minimumSizeHint() const override {
        const int frame = 2 * frameWidth();
        return {widget()->sizeHint().width() + verticalScrollBar()->sizeHint().width() + frame,
                QScrollArea::minimumSizeHint().height()};
    }
    QSize sizeHint() const override {
        return {minimumSizeHint().width(), widget()->sizeHint().height()};
    }
};

// Only the content scrolls: the tab bar, the menu and the other area stay.
QScrollArea* scrolling(QWidget* content, Qt::ScrollBarPolicy horizontal,
                       QScrollArea* scroll = new QScrollArea) {
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(horizontal);
    scroll->setWidget(content);
    return scroll;
}

} // namespace

void Hlavni::buildContent(QHBoxLayout* row) {
    QScrollArea* left = scrolling(new CommandArea, Qt::ScrollBarAlwaysOff, new PanelScroll);
    left->setObjectName(QStringLiteral("CommandScroll"));
    left->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    row->addWidget(left);
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("TabList"));
    for (QWidget* page : std::initializer_list<QWidget*>{new GeneralPage, new PhonePage,
                                                         new InputPage, new OutputPage})
        tabs_->addTab(scrolling(page, Qt::ScrollBarAsNeeded), QString());
    row->addWidget(tabs_, 1);
}

void Hlavni::wireButtons() {
    connect(child<QPushButton>("btFileLoad"), &QPushButton::clicked, this, &Hlavni::loadFromFile);
    connect(child<QPushButton>("btFileSave"), &QPushButton::clicked, this, &Hlavni::saveToFile);
    connect(child<QPushButton>("btBackupOpen"), &QPushButton::clicked, this, &Hlavni::openBackup);
    child<QPushButton>("btBackupOpen")->setEnabled(!ports_.backupFolder.empty());
    connect(child<QPushButton>("btKonec"), &QPushButton::clicked, this, &Hlavni::exitProgram);
    connect(child<QPushButton>("btInformace"), &QPushButton::clicked, this, [this] {
        if (ports_.language.showAbout)
            ports_.language.showAbout(*this);
    });
    child<QPushButton>("btTisk")->setEnabled(false); // the report is not offered
    connect(child<QPushButton>("btTisk"), &QPushButton::clicked, this, [this] {
        if (settlePendingChecks())
            report::printSettingsReport(record(), this);
    });
    const std::pair<const char*, RowTable> rowButtons[] = {{"tabTCZmenit", RowTable::Telephone},
                                                           {"tabINPbt", RowTable::Input},
                                                           {"tabOUTbt", RowTable::Output}};
    for (const auto& [stem, table] : rowButtons)
        for (int row = 0; row < kRowCount; ++row)
            connect(findChild<QPushButton*>(rowName(stem, row)), &QPushButton::clicked, this,
                    [this, table = table, row] { emit rowEditRequested(table, row); });
}

void Hlavni::fitToTexts() {
    // The left panel's width and the whole tab bar's follow their texts.
    findChild<QScrollArea*>(QStringLiteral("CommandScroll"))->updateGeometry();
    tabs_->setMinimumWidth(tabs_->tabBar()->sizeHint().width() +
                           2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
}

void Hlavni::ChangeLanguage() {
    menu_->ChangeLanguage(ports_.texts);
    activateCaption_ = ports_.texts.get("btActivate");
    deactivateCaption_ = ports_.texts.get("btDEActivate");
    // Equal captions would leave the user unable to tell activation from
    // deactivation: the built-in pair stands in for them.
    if (deactivateCaption_ == activateCaption_) {
        activateCaption_ = czechDefault("btActivate");
        deactivateCaption_ = czechDefault("btDEActivate");
    }
    SetConnectionState(connection_);
    applyLabels(this, mainWindowLabels(), ports_.texts);
    if (device_)
        device_->ChangeLanguage();
    fitToTexts();
    updateTitle();
}

bool Hlavni::settingsModified() const {
    return !(record() == snapshot_);
}

void Hlavni::settingsLoaded(const std::string& name) {
    snapshot_ = record();
    document_ = name;
    edits_->loaded();
    updateTitle();
    refreshModified();
}

void Hlavni::settingsSaved(const std::string& name) {
    edits_->saved();
    snapshot_ = record();
    document_ = name;
    updateTitle();
    refreshModified();
}

void Hlavni::refreshModified() {
    if (applying_)
        return;
    if (edits_)
        edits_->refreshMarks();
    // Before the first title there is no mark to set (the constructor).
    if (windowTitle().contains(QStringLiteral("[*]")))
        setWindowModified(settingsModified());
}

void Hlavni::updateTitle() {
    const std::string& document =
        document_.empty() ? ports_.texts.get("titleNewSettings") : document_;
    // "[*]" is where Qt shows the modified mark.
    setWindowTitle(QString::fromStdString(document + "[*] - " + ports_.texts.get("lblMainForm")));
}

bool Hlavni::settlePendingChecks() {
    return watcher_->settle();
}

bool Hlavni::confirmUnsavedChanges() {
    if (!settlePendingChecks())
        return false;
    WorkflowContext context = workflowContext();
    const UnsavedResult result =
        ResolveUnsavedChanges(context, ports_.fileDialog, settingsModified());
    if (result.savedPath) {
        settingsSaved(std::filesystem::path(*result.savedPath).filename().string());
        rememberFile(*result.savedPath);
    }
    return result.proceed;
}

void Hlavni::fillList(const char* name, const std::vector<std::string>& items, bool clear) {
    auto* list = child<QComboBox>(name);
    const QString text = list->currentText();
    if (clear)
        list->clear();
    for (const std::string& item : items)
        list->addItem(QString::fromStdString(item));
    if (clear) {
        list->setCurrentIndex(0);
    } else if (list->isEditable()) {
        // Adding the first items must not replace what the field holds.
        list->setCurrentIndex(-1);
        list->setEditText(text);
    }
}

void Hlavni::InitTables() {
    const StartupLists lists = rq7::InitTables(ports_.programDir, ports_.systemConfigDir);
    fillList("tabKOMUNIKFormat", lists.tabKOMUNIKFormat, true);
    fillList("tabKOMUNIKParita", lists.tabKOMUNIKParita, true);
    fillList("tabKOMUNIKFrekvence", lists.tabKOMUNIKFrekvence, true);
    child<QComboBox>("tabPort")->setCurrentIndex(0);
    child<QPushButton>("btDEA")->setText(QString::fromStdString(activateCaption_));
    fillList("tabTCcentra", lists.tabTCcentra, false);
}

void Hlavni::SetConnectionState(device::ConnectionState state) {
    connection_ = state;
    const bool active = device::IsActive(state);
    auto* display = child<QLabel>("tabDeAktivNapis");
    display->setText(QString::fromStdString(ports_.texts.get(device::TextKey(state))));
    setColour(display, active ? kLabelBlue : kLabelRed);
    child<QComboBox>("tabPort")->setEnabled(!active);
    // A series activates each of its devices itself.
    child<QPushButton>("btSerie")->setEnabled(state == device::ConnectionState::Neaktivni);
    child<QPushButton>("btDEA")->setText(
        QString::fromStdString(active ? deactivateCaption_ : activateCaption_));
    // A device with a processor below its minimum keeps the device commands
    // as they were: disabled, since that state is reached only from Neaktivni.
    if (state != device::ConnectionState::AktivniSpatnaVerze) {
        child<QPushButton>("btEEPROMLoad")->setEnabled(active);
        child<QPushButton>("btEEPROMSave")->setEnabled(active);
    }
    if (state == device::ConnectionState::Neaktivni)
        for (const char* name :
             {"lblInfoModem", "lblInfoProdukt", "lblInfoVerze", "lblInfoPamSize"})
            child<QLabel>(name)->setText(QStringLiteral("?"));
    updateMemoryUsage();
}

std::string Hlavni::GetSMSC() const {
    return rq7::GetSMSC(controlText(child("tabTCcentra")));
}

void Hlavni::SetSMSC() {
    auto* list = child<QComboBox>("tabTCcentra");
    if (const int item = SmscItemFor(list->currentText().toStdString(), smsCentreItems());
        item >= 0)
        list->setCurrentIndex(item);
}

std::vector<std::string> Hlavni::smsCentreItems() const {
    auto* list = child<QComboBox>("tabTCcentra");
    std::vector<std::string> items;
    for (int index = 0; index < list->count(); ++index)
        items.push_back(list->itemText(index).toStdString());
    return items;
}

SettingsRecord Hlavni::record() const {
    return binding_->record();
}

void Hlavni::applyRecord(const SettingsRecord& record) {
    {
        FlagScope silent(validation_.SuppressCrossChecks);
        FlagScope batch(applying_);
        binding_->apply(record);
        // A text that is a whole list item selects that item.
        auto* list = child<QComboBox>("tabTCcentra");
        if (const int item = list->findText(list->currentText(), Qt::MatchExactly); item >= 0)
            list->setCurrentIndex(item);
    }
    updateMemoryUsage();
    refreshModified();
}

void Hlavni::showPage(int index) {
    tabs_->setCurrentIndex(index);
}

void Hlavni::focusField(const std::string& controlName) {
    if (auto* field = findChild<QWidget*>(QString::fromStdString(controlName)))
        focusWithTextSelected(field);
}

std::string Hlavni::usageCaption() const {
    return child<QLabel>("lblInfoPamUsage")->text().toStdString();
}

std::string Hlavni::eepromSizeCaption() const {
    return child<QLabel>("lblInfoPamSize")->text().toStdString();
}

void Hlavni::updateMemoryUsage() {
    const MemoryUsageLabels labels = MemoryUsageTexts(SettingsSize(record()), eepromSizeCaption());
    child<QLabel>("lblInfoPamUsage")->setText(QString::fromStdString(labels.usage));
    auto* free = child<QLabel>("lblInfoPamFree");
    free->setText(QString::fromStdString(labels.free));
    setColour(free, labels.freeColour);
}

std::string Hlavni::offeredFileName() const {
    return OfferedSaveName(document_, record().tabJmenoStanice);
}

bool Hlavni::checkWrite() const {
    return child<QCheckBox>("CheckWrite")->isChecked();
}

WorkflowContext Hlavni::workflowContext() {
    return WorkflowContext{*this, ports_.image, ports_.prompter, *status_, ports_.texts};
}

void Hlavni::loadFromFile() {
    if (confirmUnsavedChanges())
        loadChosenFile(ports_.fileDialog.chooseFileToOpen());
}

void Hlavni::loadChosenFile(const std::optional<std::string>& path) {
    if (path)
        loadPath(*path);
}

bool Hlavni::openFile(const std::string& path) {
    return confirmUnsavedChanges() && loadPath(path);
}

bool Hlavni::loadPath(const std::string& path) {
    WorkflowContext context = workflowContext();
    if (LoadFromPath(context, path) != Outcome::Done)
        return false;
    settingsLoaded(std::filesystem::path(path).filename().string());
    rememberFile(path);
    return true;
}

// A backup is an ordinary settings file; only the dialog's folder differs.
void Hlavni::openBackup() {
    if (confirmUnsavedChanges())
        loadChosenFile(ports_.fileDialog.chooseFileToOpenIn(ports_.backupFolder.string()));
}

void Hlavni::saveToFile() {
    if (!settlePendingChecks())
        return;
    const std::optional<std::string> path = ports_.fileDialog.chooseFileToSave(offeredFileName());
    if (!path)
        return;
    WorkflowContext context = workflowContext();
    if (SaveToPath(context, *path) == Outcome::Done) {
        settingsSaved(std::filesystem::path(*path).filename().string());
        rememberFile(*path);
    }
}

void Hlavni::exitProgram() {
    if (!confirmUnsavedChanges() || !device_->ConfirmExit(ExitRequest::ExitButton))
        return;
    exiting_ = true;
    close();
}

void Hlavni::closeEvent(QCloseEvent* event) {
    // A device command in progress keeps the window until it has ended or
    // been cancelled; its waits run the event loop, so the close box works.
    if (device_->busy()) {
        event->ignore();
        return;
    }
    if (!exiting_) {
        // Unsaved settings may still keep the window; the device question
        // after it cannot.
        if (!confirmUnsavedChanges()) {
            event->ignore();
            return;
        }
        device_->ConfirmExit(ExitRequest::WindowClosed);
    }
    if (ownStatus_)
        ownStatus_->hide();
    event->accept();
}

} // namespace rq7::ui
