#pragma once
// Everything the main window reaches outside itself. app/main.cpp passes the
// real ones; the tests pass scripted ones.

#include "device/PortList.h"
#include "operations/FileDialog.h"
#include "operations/SmsCentreList.h"
#include "ports/Prompter.h"
#include "ports/SettingsStore.h"
#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace rq7 {

class EepromImage;

namespace ui {
class Hlavni;
}

namespace device {
class Transport;
class Waiter;
} // namespace device

// The way to the device: the serial port, the wait for its replies, and how
// the status window's Storno reaches a running wait. Without a transport and
// a waiter the device commands do nothing (windows built to test other
// parts).
struct DevicePorts {
    device::Transport* transport = nullptr;
    device::Waiter* waiter = nullptr;
    // Gives the waiter the question whether the user pressed Storno.
    std::function<void(std::function<bool()>)> setCancelProbe;
    // Ends a running wait's sleep once Storno is pressed (may be empty when
    // the waiter asks the probe often enough by itself).
    std::function<void()> wake;
    // Registers what to do when the port goes away while no command runs;
    // may be empty (the next command finds out).
    std::function<void(std::function<void()>)> onConnectionLost;
    // The system's serial ports for tabPort; empty: the ports Qt reports.
    std::function<std::vector<device::SystemPort>()> systemPorts;
};

// The language side of the window (ui/language). Empty: the built-in texts,
// and btInformace opens nothing.
struct LanguageHooks {
    // Runs first when the window loads, before its own ChangeLanguage: finds
    // the languages, restores the saved choice, asks when there is none.
    std::function<void(ui::Hlavni&)> startUp;
    // btInformace: the about window, modal over the main window.
    std::function<void(ui::Hlavni&)> showAbout;
};

struct MainWindowPorts {
    Prompter& prompter;
    FileDialog& fileDialog;
    const Texts& texts;
    EepromImage& image; // the program's one image buffer
    // Where lum_smsc.ini is looked for: beside the program, then the
    // system-wide configuration directory.
    std::filesystem::path programDir;
    std::filesystem::path systemConfigDir = kSystemConfigDir;
    // The status window of long operations; nullptr: the window's own Info.
    StatusSink* status = nullptr;
    LanguageHooks language = {};
    DevicePorts device = {};
    // Where the last port that worked is kept for the next start; nullptr:
    // not kept.
    SettingsStore* settingsStore = nullptr;
    // Where the device's settings are backed up before every write and where
    // "open a backup" looks; empty: no backups (the command is disabled).
    std::filesystem::path backupFolder = {};
    // Where the installation record of every write to a device is kept;
    // empty: none is kept.
    std::filesystem::path logFolder = {};
    // Chooses the table of "Program a series…"; empty: a file dialog.
    std::function<std::optional<std::string>()> chooseSeriesTable = {};
    // The manual the Help menu opens (the installed README); empty: none.
    std::filesystem::path manual = {};
    // Every member after the references has a default (= ...), so callers
    // list only what they set and new members break no caller.
};

} // namespace rq7
