#include "ui/main/rules/PhoneRows.h"

namespace rq7::rules {

Rows<Flag>& RecordPhoneRows::flags(PhoneFlag which) const {
    switch (which) {
    case PhoneFlag::Prijem:
        return record_.tabTCPrijem;
    case PhoneFlag::Poplach:
        return record_.tabTCPoplach;
    case PhoneFlag::Udalost:
        break;
    }
    return record_.tabTCUdalost;
}

std::string RecordPhoneRows::number(int row) const {
    return record_.tabTC.at(static_cast<std::size_t>(row));
}

Flag RecordPhoneRows::flag(int row, PhoneFlag which) const {
    return flags(which).at(static_cast<std::size_t>(row));
}

void RecordPhoneRows::setFlag(int row, PhoneFlag which, Flag value) {
    flags(which).at(static_cast<std::size_t>(row)) = value;
}

} // namespace rq7::rules
