#pragma once
// The three states of the link to the device. Only Aktivni allows reading
// and writing the EEPROM.

#include <string>

namespace rq7::device {

enum class ConnectionState { Neaktivni, Aktivni, AktivniSpatnaVerze };

// The internal keyword: "Neaktivni", "Aktivni", "Aktivni-spatna verze".
inline const char* Keyword(ConnectionState state) {
    switch (state) {
    case ConnectionState::Aktivni:
        return "Aktivni";
    case ConnectionState::AktivniSpatnaVerze:
        return "Aktivni-spatna verze";
    case ConnectionState::Neaktivni:
        break;
    }
    return "Neaktivni";
}

// The catalogue key of the state's shown text.
inline const char* TextKey(ConnectionState state) {
    switch (state) {
    case ConnectionState::Aktivni:
        return "strActivated";
    case ConnectionState::AktivniSpatnaVerze:
        return "strActError";
    case ConnectionState::Neaktivni:
        break;
    }
    return "strDeactivated";
}

// A device is in programming mode (the port is open) in both active states.
inline bool IsActive(ConnectionState state) {
    return state != ConnectionState::Neaktivni;
}

} // namespace rq7::device
