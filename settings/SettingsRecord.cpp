#include "settings/SettingsRecord.h"

#include <tuple>

namespace rq7 {

static auto asTuple(const SettingsRecord& r) {
    return std::tie(
        r.tabJmenoStanice, r.tabPIN, r.tabTCcentra, r.tabDobaPlatnostiSMS, r.tabBezpecRezim,
        r.tabOdpovidatT0, r.tabPrepnoutNepovolPristup, r.opNotAuthorized, r.rtNotAuthorized,
        r.tabPrepnoutJTS, r.tabPrepnoutJTSCislo, r.opExist, r.rtReCall, r.eeExistTime,
        r.tabKOMUNIKFormat, r.tabKOMUNIKParita, r.tabKOMUNIKFrekvence, r.tabKOMUNIKPocetTestu,
        r.tabKOMUNIKPocetBloku, r.tabRFRWait, r.tabWaitFree, r.tabTC, r.tabTCPrijem, r.tabTCPoplach,
        r.tabTCUdalost, r.tabINPNazev, r.tabINPZap, r.tabINPVyp, r.tabINPLH, r.tabINPHL,
        r.tabINPLHEvent, r.tabINPHLEvent, r.tabINPNeg, r.tabINPZpr, r.tabOUTNazev, r.tabOUTZap,
        r.tabOUTVyp, r.tabOUTNeg, r.tabOUTimpuls, r.tabOUTimpulsLEN, r.tabOUTZpr);
}

bool SettingsRecord::operator==(const SettingsRecord& other) const {
    return asTuple(*this) == asTuple(other);
}

} // namespace rq7
