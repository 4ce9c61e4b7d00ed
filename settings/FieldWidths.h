#pragma once
// The most characters each text field takes, by control name (without row):
// the settings field table and the field rules both read it, so a box's
// typing limit, the checks of rq7ctl and the record agree.

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rq7 {

struct FieldWidth {
    std::string_view field;
    int maxWidth; // 0: the box sets no limit
};

inline constexpr std::array<FieldWidth, 24> kFieldWidths{{
    {"tabJmenoStanice", 100},
    {"tabPIN", 8},
    {"tabTCcentra", 0}, // a list entry: name and number
    {"tabDobaPlatnostiSMS", 5},
    {"rtNotAuthorized", 100},
    {"tabPrepnoutJTSCislo", 1},
    {"rtReCall", 100},
    {"eeExistTime", 5},
    {"tabKOMUNIKPocetTestu", 3},
    {"tabKOMUNIKPocetBloku", 3},
    {"tabRFRWait", 3},
    {"tabWaitFree", 3},
    {"tabTC", 50},
    {"tabUTO", 4}, // a window setting, not part of the record
    {"tabINPNazev", 100},
    {"tabINPZap", 100},
    {"tabINPVyp", 100},
    {"tabINPLH", 100},
    {"tabINPHL", 100},
    {"tabOUTNazev", 100},
    {"tabOUTZap", 100},
    {"tabOUTVyp", 100},
    {"tabOUTimpuls", 100},
    {"tabOUTimpulsLEN", 3},
}};

// The width of the text field `field`; throws std::out_of_range for a name
// the table does not hold.
inline int FieldMaxWidth(std::string_view field) {
    for (const FieldWidth& width : kFieldWidths)
        if (width.field == field)
            return width.maxWidth;
    throw std::out_of_range("no width for the text field '" + std::string(field) + "'");
}

} // namespace rq7
