#include "ui/main/DeviceCommands.h"

#include "device/DeviceLink.h"
#include "device/DeviceMessages.h"
#include "device/qt/SystemPorts.h"
#include "operations/Backups.h"
#include "operations/DeviceLinkTransfer.h"
#include "operations/SettingsCompare.h"
#include "operations/Workflows.h"
#include "ports/SettingsStore.h"
#include "ui/main/Hlavni.h"
#include "ui/main/PortList.h"
#include "ui/main/SeriesDialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rq7::ui {

namespace {

// Counts a running command for as long as the scope lasts.
struct BusyScope {
    explicit BusyScope(int& count) : count_(count) { ++count_; }
    ~BusyScope() { --count_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    int& count_;
};

// Where the last port that worked is kept.
constexpr const char* kStoreLastPort = "LastPort";

} // namespace

DeviceCommands::DeviceCommands(Hlavni& window, const MainWindowPorts& ports, StatusSink& status,
                               QWidget* statusWindow)
    : QObject(&window), window_(window), ports_(ports), status_(status) {
    DevicePorts& device = ports_.device;
    // The waits end on the status window's Storno (CancelFlag).
    if (device.setCancelProbe)
        device.setCancelProbe([&status] { return status.cancelRequested(); });
    if (statusWindow && device.wake)
        if (auto* storno = statusWindow->findChild<QPushButton*>(QStringLiteral("Storno")))
            // Runs after the window's own handler has set CancelFlag.
            connect(storno, &QPushButton::clicked, this, [wake = device.wake] { wake(); });
    if (device.onConnectionLost)
        device.onConnectionLost([this] { connectionLostWhileIdle(); });

    if (device.transport && device.waiter) {
        link_ = std::make_unique<device::DeviceLink>(*device.transport, *device.waiter,
                                                     ports_.prompter, status_, ports_.texts);
        transfer_ = std::make_unique<DeviceLinkTransfer>(*link_);
    }

    auto* list = window_.findChild<QComboBox*>(QStringLiteral("tabPort"));
    PortSource source = device.systemPorts;
    if (!source)
        source = [] { return device::SystemSerialPorts(); };
    portList_ = new PortListRefresher(list, std::move(source), &ports_.texts);
    portList_->refresh();

    connect(window_.findChild<QPushButton*>(QStringLiteral("btDEA")), &QPushButton::clicked, this,
            &DeviceCommands::btDEA_Click);
    connect(window_.findChild<QPushButton*>(QStringLiteral("btEEPROMLoad")), &QPushButton::clicked,
            this, &DeviceCommands::LoadFromDevice);
    connect(window_.findChild<QPushButton*>(QStringLiteral("btEEPROMSave")), &QPushButton::clicked,
            this, &DeviceCommands::SaveToDevice);
    connect(window_.findChild<QPushButton*>(QStringLiteral("btSerie")), &QPushButton::clicked, this,
            &DeviceCommands::OpenSeries);
}

DeviceCommands::~DeviceCommands() {
    // The waiter may outlive the window and its status window.
    if (ports_.device.setCancelProbe)
        ports_.device.setCancelProbe([] { return false; });
    if (ports_.device.onConnectionLost)
        ports_.device.onConnectionLost({});
}

void DeviceCommands::restoreLastPort() {
    std::string port;
    if (!ports_.settingsStore ||
        !ports_.settingsStore->read(kSettingsApplication, kSettingsSection, kStoreLastPort, port) ||
        port.empty())
        return;
    auto* list = window_.findChild<QComboBox*>(QStringLiteral("tabPort"));
    const int item = list->findText(QString::fromStdString(port), Qt::MatchExactly);
    list->setCurrentIndex(item);
    if (item < 0)
        list->setEditText(QString::fromStdString(port));
}

void DeviceCommands::followLostConnection() {
    if (!link_->connectionLost())
        return;
    showDeviceInfo(link_->info());
    window_.SetConnectionState(link_->state());
}

void DeviceCommands::connectionLostWhileIdle() {
    // A running command finds out itself and says so.
    if (busy() || !link_ || !link_->LoseConnectionIfGone())
        return;
    const bool wasActive = window_.connectionState() != device::ConnectionState::Neaktivni;
    followLostConnection();
    if (wasActive)
        ports_.prompter.ask(device::ConnectionLostMessage(ports_.texts));
}

std::string DeviceCommands::portName() const {
    return window_.findChild<QComboBox*>(QStringLiteral("tabPort"))
        ->currentText()
        .trimmed()
        .toStdString();
}

bool DeviceCommands::deviceActive() const {
    return link_ && device::IsActive(link_->state());
}

// The button offers deactivation exactly while the link is active.
void DeviceCommands::btDEA_Click() {
    if (busy() || !link_)
        return;
    if (deviceActive())
        Deactivate();
    else
        Activate();
}

void DeviceCommands::showDeviceInfo(const device::DeviceInfo& info) {
    const std::pair<const char*, const std::string*> labels[] = {
        {"lblInfoProdukt", &info.lblInfoProdukt},
        {"lblInfoVerze", &info.lblInfoVerze},
        {"lblInfoPamSize", &info.lblInfoPamSize},
        {"lblInfoModem", &info.lblInfoModem}};
    for (const auto& [name, text] : labels)
        window_.findChild<QLabel*>(QString::fromLatin1(name))
            ->setText(QString::fromStdString(*text));
}

void DeviceCommands::Activate() {
    if (!link_)
        return;
    const BusyScope busy(busy_);
    device::ActivationOptions options;
    // Model and version appear as soon as they are known, so that msg028 and
    // msg030 are read next to them.
    options.showInfo = [this](const device::DeviceInfo& info) { showDeviceInfo(info); };
    const std::string port = portName();
    const device::ActivationResult result = link_->Activate(port, options);
    // A port that did not open leaves everything as it was (msg025 told why).
    if (result.outcome == device::ActivationOutcome::PortFailed)
        return;
    if (device::IsActive(result.state) && ports_.settingsStore)
        ports_.settingsStore->write(kSettingsApplication, kSettingsSection, kStoreLastPort, port);
    // The labels first: the state's size recomputation reads lblInfoPamSize.
    showDeviceInfo(result.info);
    window_.SetConnectionState(result.state);
}

void DeviceCommands::Deactivate() {
    if (!link_)
        return;
    const BusyScope busy(busy_);
    const device::DeactivationResult result = link_->Deactivate();
    if (result.outcome != device::DeactivationOutcome::KeptActive)
        window_.SetConnectionState(device::ConnectionState::Neaktivni);
}

Outcome DeviceCommands::LoadFromDevice() {
    if (busy() || !link_ || window_.connectionState() != device::ConnectionState::Aktivni)
        return Outcome::Stopped;
    if (!window_.confirmUnsavedChanges())
        return Outcome::DialogCancelled;
    const BusyScope busy(busy_);
    WorkflowContext context{window_, ports_.image, ports_.prompter, status_, ports_.texts};
    const Outcome outcome = rq7::LoadFromDevice(context, *transfer_);
    if (outcome == Outcome::Done)
        window_.settingsLoaded(deviceModel());
    followLostConnection();
    return outcome;
}

Outcome DeviceCommands::SaveToDevice() {
    if (busy() || !link_ || window_.connectionState() != device::ConnectionState::Aktivni)
        return Outcome::Stopped;
    if (!window_.settlePendingChecks())
        return Outcome::Stopped;
    const BusyScope busy(busy_);
    WorkflowContext context{window_, ports_.image, ports_.prompter, status_, ports_.texts};
    BackupTarget backup{ports_.backupFolder, deviceModel()};
    const WriteJobResult result =
        WriteToActiveDevice(context, *transfer_, ports_.backupFolder.empty() ? nullptr : &backup,
                            link_->info(), recordContext());
    // The device holds them now: nothing left to lose.
    if (result.outcome == Outcome::Done)
        window_.settingsSaved(window_.documentName().empty() ? deviceModel()
                                                             : window_.documentName());
    if (result.record && !result.recorded && !ports_.logFolder.empty())
        ports_.prompter.ask({"msg120", ports_.texts.get("msg120") + result.recordError,
                             Icon::Exclamation, Buttons::Ok});
    followLostConnection();
    return result.outcome;
}

Outcome DeviceCommands::ReadForCompare(SettingsRecord& other) {
    if (busy())
        return Outcome::Stopped;
    if (!link_ || window_.connectionState() != device::ConnectionState::Aktivni) {
        Message message;
        message.key = "msg131";
        message.text = ports_.texts.get("msg131");
        message.icon = Icon::Exclamation;
        ports_.prompter.ask(message);
        return Outcome::Stopped;
    }
    const BusyScope busy(busy_);
    WorkflowContext context{window_, ports_.image, ports_.prompter, status_, ports_.texts};
    const Outcome outcome = ReadDeviceToCompare(context, *transfer_, other);
    followLostConnection();
    return outcome;
}

RecordContext DeviceCommands::recordContext() const {
    return {
        ports_.logFolder, TechnicianName({}, ports_.settingsStore), portName(), "window", {}, 0};
}

void DeviceCommands::OpenSeries() {
    if (busy() || !link_ || window_.connectionState() != device::ConnectionState::Neaktivni)
        return;
    if (!series_) {
        SeriesPorts ports{ports_.texts,
                          ports_.prompter,
                          ports_.chooseSeriesTable,
                          [this] { return window_.record(); },
                          [this] { return portName(); },
                          [this] {
                              return window_.findChild<QLineEdit*>(QStringLiteral("tabUTO"))
                                  ->text()
                                  .toStdString();
                          },
                          [this](const PlannedRow& row, const std::string& table) {
                              return programSeriesRow(row, table);
                          }};
        if (!ports.chooseTable)
            ports.chooseTable = [this]() -> std::optional<std::string> {
                const QString path = QFileDialog::getOpenFileName(
                    series_, QString::fromStdString(ports_.texts.get("lblSerieForm")), QString(),
                    QStringLiteral("CSV (*.csv *.txt);;* (*)"));
                if (path.isEmpty())
                    return std::nullopt;
                return path.toStdString();
            };
        series_ = new SeriesDialog(std::move(ports), &window_);
    }
    series_->open();
}

void DeviceCommands::ChangeLanguage() {
    if (series_)
        series_->ChangeLanguage();
}

SeriesRowResult DeviceCommands::programSeriesRow(const PlannedRow& row,
                                                 const std::string& tablePath) {
    if (busy() || !link_ || window_.connectionState() != device::ConnectionState::Neaktivni)
        return {false, ports_.texts.get("msg032")};
    const BusyScope busy(busy_);
    DeviceJobSetup setup;
    setup.port = portName();
    setup.activation.showInfo = [this](const device::DeviceInfo& info) { showDeviceInfo(info); };
    setup.verify = window_.checkWrite();
    setup.backupFolder = ports_.backupFolder;
    setup.record = recordContext();
    setup.record.series = tablePath;
    setup.record.row = row.source.row;
    const DeviceJobResult job =
        RunDeviceJob(*link_, row.settings, setup, ports_.prompter, status_, ports_.texts);
    if (device::IsActive(job.activation.state) && ports_.settingsStore)
        ports_.settingsStore->write(kSettingsApplication, kSettingsSection, kStoreLastPort,
                                    setup.port);
    showDeviceInfo(link_->info());
    window_.SetConnectionState(link_->state());
    SeriesRowResult result{job.written(), job.told.key + " " + job.told.text};
    if (job.write.record && !job.write.recorded && !ports_.logFolder.empty()) {
        result.reason += "; " + ports_.texts.get("msg120") + job.write.recordError;
        ports_.prompter.ask({"msg120", ports_.texts.get("msg120") + job.write.recordError,
                             Icon::Exclamation, Buttons::Ok});
    }
    return result;
}

std::string DeviceCommands::deviceModel() const {
    return window_.findChild<QLabel*>(QStringLiteral("lblInfoProdukt"))->text().toStdString();
}

bool DeviceCommands::ConfirmExit(ExitRequest request) {
    const ExitAction action = DecideExit(request, deviceActive(), ports_.prompter, ports_.texts);
    if (action == ExitAction::KeepRunning)
        return false;
    // The program ends whatever the deactivation did (its msg033 may ask).
    if (action == ExitAction::DeactivateThenQuit)
        Deactivate();
    return true;
}

} // namespace rq7::ui
