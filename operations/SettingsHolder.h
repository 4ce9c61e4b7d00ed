#pragma once
// What the load and save workflows need from the main window, which holds the
// settings in its controls and shows the size labels.

#include "operations/FileNames.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace rq7 {

// Pages of the main window's tab control `TabList`.
inline constexpr int kGeneralPage = 0;
inline constexpr int kOutputsPage = 3;

class SettingsHolder {
public:
    virtual ~SettingsHolder() = default;

    // The settings as the controls hold them now.
    virtual SettingsRecord record() const = 0;
    // Puts a loaded record into the controls. The cross checks that run when
    // a field changes stay silent meanwhile (`SuppressCrossChecks`); rules
    // that ask regardless of it (the single-alarm rule) may still ask.
    virtual void applyRecord(const SettingsRecord& record) = 0;

    // The item texts of the SMS-centre list `tabTCcentra` ("name <number>"):
    // a loaded number that matches one is shown as that item.
    virtual std::vector<std::string> smsCentreItems() const = 0;

    // Brings a page of `TabList` to the front.
    virtual void showPage(int index) = 0;
    // Gives the input focus to a control named as in the window, a row
    // control with its row: "tabOUTNazev_3".
    virtual void focusField(const std::string& controlName) = 0;

    // Captions of `lblInfoPamUsage` ("150 byte") and `lblInfoPamSize`
    // ("  1024 byte" or "?"); the workflows read the numbers at their start.
    virtual std::string usageCaption() const = 0;
    virtual std::string eepromSizeCaption() const = 0;
    // Recomputes the settings size and the free space from the controls.
    virtual void updateMemoryUsage() = 0;

    // The check box `CheckWrite`: read each written block back.
    virtual bool checkWrite() const = 0;

    // The name the save dialog offers first (FileNames.h).
    virtual std::string offeredFileName() const {
        return OfferedSaveName({}, record().tabJmenoStanice);
    }
};

} // namespace rq7
