#pragma once
// The main window: the communication, device-information, settings and
// program areas beside the four-page tab control TabList. The window owns
// the settings for the program's whole run: every setting is the value of
// the control of the same name (SettingsBinding). Decisions live in the core
// libraries; the window binds its controls to them and forwards events.

#include "device/ConnectionState.h"
#include "operations/SettingsHolder.h"
#include "ui/dialogs/FieldCheck.h"
#include "ui/main/FlagHandlers.h"
#include "ui/main/MainFields.h"
#include "ui/main/MainWindowPorts.h"
#include "ui/main/RowTable.h"
#include "ui/main/rules/ValidationState.h"

#include <QWidget>
#include <memory>
#include <optional>

class QHBoxLayout;
class QTabWidget;
class QDragEnterEvent;
class QDropEvent;

namespace rq7 {
struct WorkflowContext;
}

namespace rq7::ui {

class DeviceCommands;
class EditTracker;
class FieldWatcher;
class MainMenu;
class Info;
class RowDialogs;
class SettingsBinding;

class Hlavni : public QWidget, public SettingsHolder {
    Q_OBJECT
public:
    explicit Hlavni(const MainWindowPorts& ports, QWidget* parent = nullptr);
    ~Hlavni() override;

    // SettingsHolder.
    SettingsRecord record() const override;
    void applyRecord(const SettingsRecord& record) override;
    std::vector<std::string> smsCentreItems() const override;
    void showPage(int index) override;
    void focusField(const std::string& controlName) override;
    std::string usageCaption() const override;
    std::string eepromSizeCaption() const override;
    void updateMemoryUsage() override;
    bool checkWrite() const override;
    // The open file's name (the title's), else the station's.
    std::string offeredFileName() const override;

    // Sets every text of the window from the current language.
    void ChangeLanguage();
    // The SMS-centre number of tabTCcentra; SetSMSC selects the list item
    // whose number the text is.
    std::string GetSMSC() const;
    void SetSMSC();
    void SetConnectionState(device::ConnectionState state);
    device::ConnectionState connectionState() const { return connection_; }
    // btDEA, btEEPROMLoad, btEEPROMSave and the deactivation on the way out.
    DeviceCommands& deviceCommands() const { return *device_; }

    // Whether the settings differ from those last loaded or saved (the
    // snapshot; a fresh start's initial settings count as loaded).
    bool settingsModified() const;
    // The open file's name, the device's model after a device load, or the
    // new-settings text; the title shows it with the modified mark.
    const std::string& documentName() const { return document_; }
    // The settings as they are now count as loaded (the undo steps are
    // forgotten) or saved (they stay) under `name`.
    void settingsLoaded(const std::string& name);
    void settingsSaved(const std::string& name);
    // Opens a settings file given by path (the command line, a drop, the
    // recent files): the unsaved-changes question first, then the usual load
    // with its checks and messages. True when the file's settings are in.
    bool openFile(const std::string& path);
    // Every command that acts on the settings (saves, print, the unsaved-
    // changes question, compare, undo, the lists of differences) calls this
    // first: the field checks still to come run now. False when one rejected
    // its field (it has the focus, its page is in front): the command must
    // not start.
    bool settlePendingChecks();
    // Before settings would be replaced or the program left: settles the
    // pending checks (false when one rejects), then, when modified,
    // asks Save/Discard/Cancel. True when the caller may go on.
    bool confirmUnsavedChanges();

    rules::ValidationState& validation() { return validation_; }
    StatusSink& status() { return *status_; }
    // The window's own status window; nullptr when the ports brought one.
    Info* statusWindow() const { return ownStatus_; }
    // The field pattern's watcher (the tests count its leave handlers).
    const FieldWatcher& fieldWatcher() const { return *watcher_; }
    QTabWidget* tabList() const { return tabs_; }
    // The row dialogs that rowEditRequested opens.
    RowDialogs& rowDialogs() const { return *rowDialogs_; }
    // The menu bar's actions; the edit history with the changed-field marks.
    MainMenu& menu() const { return *menu_; }
    EditTracker& edits() const { return *edits_; }

signals:
    // A row's options button or a double click into one of its text fields.
    void rowEditRequested(rq7::ui::RowTable table, int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildContent(QHBoxLayout* row);
    void fitToTexts();
    void wireButtons();
    void InitTables();
    void fillList(const char* name, const std::vector<std::string>& items, bool clear);
    WorkflowContext workflowContext();
    void loadFromFile();
    void openBackup();
    // The load-from-file workflow after its dialog; nothing when cancelled.
    void loadChosenFile(const std::optional<std::string>& path);
    bool loadPath(const std::string& path);
    void saveToFile();
    void exitProgram();
    // The menu (HlavniMenu.cpp).
    void wireMenu();
    void refreshRecentFiles();
    void rememberFile(const std::string& path);
    void openRecent(const std::string& path);
    // settlePendingChecks, then every edit so far is committed.
    bool settleEdits();
    void compareWithFile(bool backup);
    void compareWithDevice();
    void showDifferences(const SettingsRecord& other, const std::string& otherName);
    void showChanges();
    void openManual();
    void refreshModified();
    void updateTitle();
    template <typename T = QWidget> T* child(const char* name) const;

    MainWindowPorts ports_;
    rules::ValidationState validation_;
    QTabWidget* tabs_ = nullptr;
    Info* ownStatus_ = nullptr;
    StatusSink* status_ = nullptr;
    FieldWatcher* watcher_ = nullptr;
    RowDialogs* rowDialogs_ = nullptr;
    DeviceCommands* device_ = nullptr;
    std::unique_ptr<SettingsBinding> binding_;
    EditTracker* edits_ = nullptr;
    MainMenu* menu_ = nullptr;
    WindowPhoneRows phoneRows_;
    LeaveContext leave_;
    MainFieldHooks fieldHooks_;
    FlagHooks flagHooks_;
    device::ConnectionState connection_ = device::ConnectionState::Neaktivni;
    std::string activateCaption_;
    std::string deactivateCaption_;
    SettingsRecord snapshot_; // as last loaded or saved
    std::string document_;    // empty: new settings
    bool applying_ = false;   // applyRecord recomputes the size once, at its end
    bool exiting_ = false;    // btKonec ends without the close box's question
    bool sized_ = false;      // the first show fits the window to its content
};

} // namespace rq7::ui
