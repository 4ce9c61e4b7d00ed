#pragma once
// The telephone rows as the flag rules see them: a number and three flags
// per row. The main window implements it over its controls (setting a flag
// there sets the check box, whose click handler then runs as for any program
// change); RecordPhoneRows implements it over a settings record.

#include "settings/SettingsRecord.h"

#include <string>

namespace rq7::rules {

enum class PhoneFlag { Prijem, Poplach, Udalost }; // accept, alarm, events

class PhoneRows {
public:
    virtual ~PhoneRows() = default;
    virtual std::string number(int row) const = 0; // tabTC(row)
    virtual Flag flag(int row, PhoneFlag which) const = 0;
    virtual void setFlag(int row, PhoneFlag which, Flag value) = 0;
};

// Over a settings record; setting a flag runs no handler.
class RecordPhoneRows : public PhoneRows {
public:
    explicit RecordPhoneRows(SettingsRecord& record) : record_(record) {}
    std::string number(int row) const override;
    Flag flag(int row, PhoneFlag which) const override;
    void setFlag(int row, PhoneFlag which, Flag value) override;

private:
    Rows<Flag>& flags(PhoneFlag which) const;
    SettingsRecord& record_;
};

} // namespace rq7::rules
