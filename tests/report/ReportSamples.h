#pragma once
// Settings records shared by the report tests.

#include "settings/SettingsRecord.h"

namespace rq7::report::testing {

// Every text empty and every box clear.
inline SettingsRecord emptySettings() {
    SettingsRecord s;
    s.tabDobaPlatnostiSMS.clear();
    s.tabBezpecRezim = kFlagOff;
    s.opNotAuthorized = kFlagOff;
    for (auto& len : s.tabOUTimpulsLEN)
        len.clear();
    return s;
}

// Distinct values in the fields whose order the report fixes.
inline SettingsRecord sampleSettings() {
    SettingsRecord s = emptySettings();
    s.tabJmenoStanice = "Ústředna Brno";
    s.tabPIN = "1234";
    s.tabTCcentra = "Operátor <+420603052000>";
    s.tabDobaPlatnostiSMS = "3";
    s.tabBezpecRezim = kFlagOn;
    s.tabPrepnoutNepovolPristup = kFlagOn;
    s.rtNotAuthorized = "Přístup odepřen";
    s.tabTC[0] = "+420123456789";
    s.tabTCPrijem[0] = kFlagOn;
    s.tabTCPoplach[0] = kFlagOn; // never printed
    s.tabTC[7] = "777888999";
    s.tabTCUdalost[7] = kFlagOn;
    s.tabINPNazev[5] = "N5";
    s.tabINPZap[5] = "Z5";
    s.tabINPVyp[5] = "V5";
    s.tabINPLHEvent[5] = kFlagOn;
    s.tabINPNeg[5] = kFlagOn;
    s.tabINPLH[5] = "LH5";
    s.tabINPHL[5] = "HL5";
    s.tabINPZpr[6] = kFlagOn;
    s.tabINPHLEvent[6] = kFlagOn;
    s.tabOUTNazev[2] = "ON2";
    s.tabOUTZap[2] = "OZ2";
    s.tabOUTVyp[2] = "OV2";
    s.tabOUTNeg[2] = kFlagOn;
    s.tabOUTimpuls[2] = "PULS2";
    s.tabOUTimpulsLEN[2] = "25";
    s.tabOUTZpr[2] = kFlagOn;
    return s;
}

} // namespace rq7::report::testing
