#pragma once
// The main window wired to a device: by default the in-process simulated
// device on its virtual clock, else whatever transport and waiter the test
// brings (the real serial port for the pseudo-terminal runs). Scripted
// message boxes, the status window's Storno pressed at a chosen wait, and
// reading back what the user would see.

#include "ports/SettingsStore.h"
#include "settings/EepromImage.h"
#include "settings/SettingsRecord.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"
#include "tests/support/EventLoop.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/MemoryStore.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/DeviceCommands.h"
#include "ui/main/Hlavni.h"

#include <QColor>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace rq7::test {

// A record as the window shows it after a load: written into an image and
// read back (numbers, choices and telephone numbers in their stored form).
SettingsRecord Canonical(const SettingsRecord& record);
// The image bytes of a record, settings size - 1 of them.
sim::Bytes ImageBytes(const SettingsRecord& record);
// Field names whose values differ between the two records ("" when none).
std::string DifferingFields(const SettingsRecord& a, const SettingsRecord& b);

class DeviceWindowHarness {
public:
    // The simulated device with this configuration; `backups`: the window
    // backs the device up into backupFolder() before every write.
    explicit DeviceWindowHarness(const sim::DeviceConfig& config = {}, bool backups = false);
    // The test's own transport and waiter (or none), with these saved
    // settings.
    explicit DeviceWindowHarness(const DevicePorts& ports, MemoryStore saved = {});
    ~DeviceWindowHarness();

    ui::Hlavni& window() { return *window_; }
    sim::SimulatedDevice& device() { return *device_; }
    sim::SimulatedLink& link() { return *link_; }
    std::filesystem::path backupFolder() const;

    QWidget* control(const std::string& name) const; // fails the test when missing
    QLabel* label(const std::string& name) const;
    QPushButton* button(const std::string& name) const;
    std::string text(const std::string& name) const;
    QColor colour(const std::string& labelName) const;
    bool enabled(const std::string& name) const;
    std::string focused() const; // objectName of the focus widget

    // A mouse click on a button or check box; the command it starts runs to
    // its end.
    void click(const std::string& name);
    // The port field's text replaced by typing.
    void typePort(const std::string& text);

    // The status window of the window (its Napis, Storno, progress bar).
    QWidget* statusWindow() const;
    // Presses Storno of the status window once `waits` more cancellable
    // waits of the simulated link have begun.
    void pressStornoAtWait(unsigned waits);
    // Runs at every cancellable wait of the simulated link (after the Storno
    // above, before the wait looks at CancelFlag).
    std::function<void()> onWait;
    // What the status window showed when Storno was pressed.
    std::string stornoShownWith;

    ScriptedPrompter prompter;
    FakeFileDialog files;

private:
    void build(DevicePorts ports, bool backups = false);
    void onCancelProbe();

    QTemporaryDir temp_;
    Texts texts_;

public:
    // The window's per-user settings.
    MemoryStore store;

private:
    std::unique_ptr<EepromImage> image_;
    std::unique_ptr<sim::SimulatedDevice> device_;
    std::unique_ptr<sim::SimulatedLink> link_;
    std::optional<unsigned> stornoAt_;
    std::unique_ptr<ui::Hlavni> window_;
};

} // namespace rq7::test
