#pragma once
// All settings of one device, named after the main-window controls that hold
// them. Texts are UTF-8; the image coding converts them to the device's code
// page. A flag keeps the check box's value (0, 1 or the grey 2) and counts as
// on only when it is exactly 1. How many characters each text takes:
// settings/FieldWidths.h.

#include <array>
#include <string>

namespace rq7 {

inline constexpr int kRowCount = 8;

using Flag = int;
inline constexpr Flag kFlagOff = 0;
inline constexpr Flag kFlagOn = 1;
inline constexpr Flag kFlagGrey = 2;
inline bool isOn(Flag flag) {
    return flag == kFlagOn;
}

template <typename T> using Rows = std::array<T, kRowCount>;

// Item texts of the three fixed choice lists, in list order.
inline constexpr const char* kFormatSia = "SIA";
inline constexpr const char* kFormatPulse = "Pulzn\u00ed";
inline constexpr const char* kParityNone = "Bez parity";
inline constexpr const char* kParityEven = "S paritou";
inline constexpr const char* kFrequency1400 = "1400 Hz";
inline constexpr const char* kFrequency2300 = "2300 Hz";

struct SettingsRecord {
    // General settings.
    std::string tabJmenoStanice;
    std::string tabPIN;
    std::string tabTCcentra;               // text of the SMS-centre list
    std::string tabDobaPlatnostiSMS = "3"; // days 1..30
    Flag tabBezpecRezim = kFlagOn;
    Flag tabOdpovidatT0 = kFlagOff;
    Flag tabPrepnoutNepovolPristup = kFlagOff;
    Flag opNotAuthorized = kFlagOn;
    std::string rtNotAuthorized;
    Flag tabPrepnoutJTS = kFlagOff;
    std::string tabPrepnoutJTSCislo = "0"; // a digit

    // Automatic existence report.
    Flag opExist = kFlagOn;
    std::string rtReCall;
    std::string eeExistTime = "5"; // minutes

    // Link to the alarm control panel.
    std::string tabKOMUNIKFormat = kFormatSia;
    std::string tabKOMUNIKParita = kParityNone;
    std::string tabKOMUNIKFrekvence = kFrequency1400;
    std::string tabKOMUNIKPocetTestu = "1"; // 1..10
    std::string tabKOMUNIKPocetBloku = "1"; // 1..100
    std::string tabRFRWait = "3";           // seconds 3..768
    std::string tabWaitFree = "5";          // seconds 5..90

    // Telephone numbers T0..T7.
    Rows<std::string> tabTC{};
    Rows<Flag> tabTCPrijem{};
    Rows<Flag> tabTCPoplach{};
    Rows<Flag> tabTCUdalost{};

    // Logical inputs.
    Rows<std::string> tabINPNazev{};
    Rows<std::string> tabINPZap{};
    Rows<std::string> tabINPVyp{};
    Rows<std::string> tabINPLH{};
    Rows<std::string> tabINPHL{};
    Rows<Flag> tabINPLHEvent{};
    Rows<Flag> tabINPHLEvent{};
    Rows<Flag> tabINPNeg{};
    Rows<Flag> tabINPZpr{};

    // Logical outputs.
    Rows<std::string> tabOUTNazev{};
    Rows<std::string> tabOUTZap{};
    Rows<std::string> tabOUTVyp{};
    Rows<Flag> tabOUTNeg{};
    Rows<std::string> tabOUTimpuls{};
    Rows<std::string> tabOUTimpulsLEN{"1", "1", "1", "1", "1", "1", "1", "1"}; // 0..255
    Rows<Flag> tabOUTZpr{};

    bool operator==(const SettingsRecord& other) const;
    bool operator!=(const SettingsRecord& other) const { return !(*this == other); }
};

} // namespace rq7
