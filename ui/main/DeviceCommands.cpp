#include "ui/main/DeviceCommands.h"

#include "device/DeviceLink.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "operations/DeviceLinkTransfer.h"
#include "operations/Workflows.h"
#include "ui/main/Hlavni.h"
#include "ui/main/PortList.h"

#include <QComboBox>
#include <QLabel>
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

} // namespace

DeviceCommands::DeviceCommands(Hlavni& window, const MainWindowPorts& ports, StatusSink& status,
                               QWidget* statusWindow)
    : QObject(&window), window_(window), ports_(ports), status_(status) {
    DevicePorts& device = ports_.device;
    if (!device.transport || !device.waiter) {
        auto* transport = new device::SerialTransport;
        auto* waiter = new device::EventLoopWaiter;
        ownTransport_.reset(transport);
        ownWaiter_.reset(waiter);
        device.transport = transport;
        device.waiter = waiter;
        device.setCancelProbe = [waiter](std::function<bool()> probe) {
            waiter->setCancelProbe(std::move(probe));
        };
        device.wake = [waiter] { waiter->wake(); };
    }
    // The waits end on the status window's Storno (CancelFlag).
    if (device.setCancelProbe)
        device.setCancelProbe([&status] { return status.cancelRequested(); });
    if (statusWindow && device.wake)
        if (auto* storno = statusWindow->findChild<QPushButton*>(QStringLiteral("Storno")))
            // Runs after the window's own handler has set CancelFlag.
            connect(storno, &QPushButton::clicked, this, [wake = device.wake] { wake(); });

    link_ = std::make_unique<device::DeviceLink>(*device.transport, *device.waiter, ports_.prompter,
                                                 status_, ports_.texts);
    transfer_ = std::make_unique<DeviceLinkTransfer>(*link_);

    auto* list = window_.findChild<QComboBox*>(QStringLiteral("tabPort"));
    portList_ = new PortListRefresher(list);
    portList_->refresh();

    connect(window_.findChild<QPushButton*>(QStringLiteral("btDEA")), &QPushButton::clicked, this,
            &DeviceCommands::btDEA_Click);
    connect(window_.findChild<QPushButton*>(QStringLiteral("btEEPROMLoad")), &QPushButton::clicked,
            this, &DeviceCommands::LoadFromDevice);
    connect(window_.findChild<QPushButton*>(QStringLiteral("btEEPROMSave")), &QPushButton::clicked,
            this, &DeviceCommands::SaveToDevice);
}

DeviceCommands::~DeviceCommands() {
    // The waiter may outlive the window and its status window.
    if (ports_.device.setCancelProbe)
        ports_.device.setCancelProbe([] { return false; });
}

std::string DeviceCommands::portName() const {
    return window_.findChild<QComboBox*>(QStringLiteral("tabPort"))
        ->currentText()
        .trimmed()
        .toStdString();
}

bool DeviceCommands::deviceActive() const {
    return window_.findChild<QPushButton*>(QStringLiteral("btDEA"))->text().toStdString() ==
           window_.deactivateCaption();
}

void DeviceCommands::btDEA_Click() {
    if (busy())
        return;
    const std::string caption =
        window_.findChild<QPushButton*>(QStringLiteral("btDEA"))->text().toStdString();
    if (caption == window_.activateCaption())
        Activate();
    else if (caption == window_.deactivateCaption())
        Deactivate();
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
    const BusyScope busy(busy_);
    device::ActivationOptions options;
    // Model and version appear as soon as they are known, so that msg028 and
    // msg030 are read next to them.
    options.showInfo = [this](const device::DeviceInfo& info) { showDeviceInfo(info); };
    const device::ActivationResult result = link_->Activate(portName(), options);
    // A port that did not open leaves everything as it was (msg025 told why).
    if (result.outcome == device::ActivationOutcome::PortFailed)
        return;
    // The labels first: the state's size recomputation reads lblInfoPamSize.
    showDeviceInfo(result.info);
    window_.SetConnectionState(result.state);
}

void DeviceCommands::Deactivate() {
    const BusyScope busy(busy_);
    const device::DeactivationResult result = link_->Deactivate();
    if (result.outcome != device::DeactivationOutcome::KeptActive)
        window_.SetConnectionState(device::ConnectionState::Neaktivni);
}

Outcome DeviceCommands::LoadFromDevice() {
    if (busy() || window_.connectionState() != device::ConnectionState::Aktivni)
        return Outcome::Stopped;
    const BusyScope busy(busy_);
    WorkflowContext context{window_, ports_.image, ports_.prompter, status_, ports_.texts};
    return rq7::LoadFromDevice(context, *transfer_);
}

Outcome DeviceCommands::SaveToDevice() {
    if (busy() || window_.connectionState() != device::ConnectionState::Aktivni)
        return Outcome::Stopped;
    const BusyScope busy(busy_);
    WorkflowContext context{window_, ports_.image, ports_.prompter, status_, ports_.texts};
    return rq7::SaveToDevice(context, *transfer_);
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
