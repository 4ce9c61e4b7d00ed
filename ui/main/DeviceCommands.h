#pragma once
// The main window's device commands: btDEA (activate, deactivate), the two
// EEPROM transfers btEEPROMLoad and btEEPROMSave, and the deactivation offer
// on the way out. The decisions and messages are the device link's and the
// workflows'; this class feeds them the window's port field, status window
// and settings, and shows their results in the window's labels and buttons.

#include "device/ConnectionState.h"
#include "device/DeviceInfo.h"
#include "operations/DeviceJob.h"
#include "operations/ExitDecision.h"
#include "operations/Outcome.h"
#include "settings/SettingsRecord.h"
#include "ui/main/MainWindowPorts.h"

#include <QObject>
#include <memory>
#include <string>

class QWidget;

namespace rq7 {
class DeviceLinkTransfer;
struct PlannedRow;
namespace device {
class DeviceLink;
}
} // namespace rq7

namespace rq7::ui {

class Hlavni;
class PortListRefresher;
class SeriesDialog;
struct SeriesRowResult;

class DeviceCommands : public QObject {
    Q_OBJECT
public:
    // `statusWindow`: the window's own status window, whose Storno must also
    // wake a running wait; nullptr when the status comes from outside.
    DeviceCommands(Hlavni& window, const MainWindowPorts& ports, StatusSink& status,
                   QWidget* statusWindow);
    ~DeviceCommands() override;

    // Activates when btDEA shows the activate caption, deactivates when it
    // shows the deactivate caption, else does nothing.
    void btDEA_Click();
    void Activate();
    void Deactivate();
    // The device workflows; Stopped without a word unless the state is
    // Aktivni and no other command runs (their buttons say so already).
    Outcome LoadFromDevice();
    Outcome SaveToDevice();
    // btSerie: the series dialog over the window (made on first use), while
    // no device is active.
    void OpenSeries();
    SeriesDialog* seriesDialog() { return series_; }
    void ChangeLanguage();
    // The device's settings into `other` for a comparison, read as a load
    // reads them and written nowhere; msg131 while the device is not active.
    Outcome ReadForCompare(SettingsRecord& other);

    // The question when the user leaves the program (btKonec or the close
    // box) while btDEA shows the deactivate caption, and the deactivation
    // on Yes. True when the program is to end.
    bool ConfirmExit(ExitRequest request);

    // A command is running (its waits keep the event loop going).
    bool busy() const { return busy_ > 0; }
    // Selects the port saved after the last activation that reached the
    // device, if any.
    void restoreLastPort();
    // The port field's text as the port to open.
    std::string portName() const;
    // Only with a transport and a waiter in the ports.
    device::DeviceLink& link() { return *link_; }

private:
    bool deviceActive() const;
    std::string deviceModel() const; // lblInfoProdukt
    void showDeviceInfo(const device::DeviceInfo& info);
    // After a command: a port that went away leaves the window Neaktivni.
    void followLostConnection();
    // The port went away while nothing ran: msg070 and Neaktivni.
    void connectionLostWhileIdle();
    // The device job for one row of a series on the window's port.
    SeriesRowResult programSeriesRow(const PlannedRow& row, const std::string& tablePath);
    // Where the record of a write goes, and who made it.
    RecordContext recordContext() const;

    Hlavni& window_;
    MainWindowPorts ports_;
    StatusSink& status_;
    std::unique_ptr<device::DeviceLink> link_;
    std::unique_ptr<DeviceLinkTransfer> transfer_;
    PortListRefresher* portList_ = nullptr;
    SeriesDialog* series_ = nullptr;
    int busy_ = 0;
};

} // namespace rq7::ui
