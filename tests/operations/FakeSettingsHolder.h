#pragma once
// The main window as the workflows see it: a record, the two size labels
// and a log of what was done to it.

#include "operations/SettingsHolder.h"
#include "settings/SettingsSize.h"
#include "settings/SettingsText.h"

#include <ostream>
#include <string>
#include <vector>

namespace rq7 {
// Failed comparisons print the record as settings text.
inline void PrintTo(const SettingsRecord& record, std::ostream* out) {
    *out << "\n" << FormatSettingsText(record);
}
} // namespace rq7

namespace rq7::test {

class FakeSettingsHolder : public SettingsHolder {
public:
    SettingsRecord current;
    std::string usage = "150 byte";
    std::string eepromSize = "?";
    bool verify = true;
    std::vector<std::string> smsItems;
    // "apply", "page:N", "focus:NAME"; updateMemoryUsage is counted apart.
    std::vector<std::string> events;
    int usageUpdates = 0;

    SettingsRecord record() const override { return current; }
    void applyRecord(const SettingsRecord& record) override {
        current = record;
        events.push_back("apply");
    }
    std::vector<std::string> smsCentreItems() const override { return smsItems; }
    void showPage(int index) override { events.push_back("page:" + std::to_string(index)); }
    void focusField(const std::string& name) override { events.push_back("focus:" + name); }
    std::string usageCaption() const override { return usage; }
    std::string eepromSizeCaption() const override { return eepromSize; }
    void updateMemoryUsage() override {
        ++usageUpdates;
        usage = MemoryUsageTexts(SettingsSize(current), eepromSize).usage;
    }
    bool checkWrite() const override { return verify; }
};

} // namespace rq7::test
