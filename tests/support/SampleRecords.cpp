#include "tests/support/SampleRecords.h"

#include "settings/ChoiceTables.h"
#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"

#include <memory>
#include <string>

namespace rq7::test {

SettingsRecord everyFieldSet() {
    SettingsRecord r;
    r.tabJmenoStanice = "Pobočka Ústí nad Labem"; // Windows-1250 on the way
    r.tabPIN = "4321";
    r.tabTCcentra = "+420603052000";
    r.tabDobaPlatnostiSMS = "12";
    r.tabBezpecRezim = kFlagOff;
    r.tabOdpovidatT0 = kFlagOn;
    r.tabPrepnoutNepovolPristup = kFlagOn;
    r.opNotAuthorized = kFlagOn;
    r.rtNotAuthorized = "Pristup odepren!";
    r.tabPrepnoutJTS = kFlagOn;
    r.tabPrepnoutJTSCislo = "7";
    r.opExist = kFlagOff;
    r.rtReCall = "hlášení existence";
    r.eeExistTime = "60";
    r.tabKOMUNIKFormat = kFormatPulse;
    r.tabKOMUNIKParita = kParityEven;
    r.tabKOMUNIKFrekvence = kFrequency2300;
    r.tabKOMUNIKPocetTestu = "4";
    r.tabKOMUNIKPocetBloku = "20";
    r.tabRFRWait = "9";
    r.tabWaitFree = "30";
    for (int i = 0; i < kRowCount; ++i) {
        const std::string n = std::to_string(i);
        r.tabTC[i] = "+42060000000" + n;
        r.tabTCPrijem[i] = i % 2 ? kFlagOn : kFlagOff;
        r.tabTCPoplach[i] = i == 3 ? kFlagOn : kFlagOff; // one row only
        r.tabTCUdalost[i] = i % 3 ? kFlagOn : kFlagOff;
        r.tabINPNazev[i] = "Vstup " + n;
        r.tabINPZap[i] = "Zap" + n;
        r.tabINPVyp[i] = "Vyp" + n;
        r.tabINPLH[i] = "Narust " + n;
        r.tabINPHL[i] = "Pokles " + n;
        r.tabINPLHEvent[i] = i % 2 ? kFlagOn : kFlagOff;
        r.tabINPHLEvent[i] = i % 2 ? kFlagOff : kFlagOn;
        r.tabINPNeg[i] = i < 4 ? kFlagOn : kFlagOff;
        r.tabINPZpr[i] = i < 4 ? kFlagOff : kFlagOn;
        r.tabOUTNazev[i] = "Rele" + n;
        r.tabOUTZap[i] = "ZAPNI" + n;
        r.tabOUTVyp[i] = "VYPNI" + n;
        r.tabOUTNeg[i] = i % 2 ? kFlagOn : kFlagOff;
        r.tabOUTimpuls[i] = "PULS" + n;
        r.tabOUTimpulsLEN[i] = std::to_string(10 + i);
        r.tabOUTZpr[i] = i % 2 ? kFlagOff : kFlagOn;
    }
    return r;
}

std::string settingsFileBytes(const SettingsRecord& record) {
    auto image = std::make_unique<EepromImage>();
    if (!WriteImage(record, *image).ok)
        return {};
    const auto length = static_cast<std::size_t>(SettingsSize(record) - 1);
    return std::string(reinterpret_cast<const char*>(image->data()), length);
}

} // namespace rq7::test
