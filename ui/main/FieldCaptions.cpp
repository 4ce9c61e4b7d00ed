#include "ui/main/FieldCaptions.h"

#include "ui/dialogs/LabelText.h"

#include <string_view>
#include <utility>

namespace rq7::ui {

namespace {

// Each field's caption as a label pattern (ui/dialogs/LabelText.h): the
// label beside its control, or the heading of its column.
constexpr std::pair<std::string_view, const char*> kCaptions[] = {
    {"tabJmenoStanice", "{lbljmenostanice}"},
    {"tabPIN", "{lblPIN}"},
    {"tabTCcentra", "{lblSCSA}"},
    {"tabDobaPlatnostiSMS", "{lblVP1} \u2026 {lblVP2}"},
    {"tabBezpecRezim", "{chkBezpecRez}"},
    {"tabOdpovidatT0", "{chkOdpovidatT0}"},
    {"tabPrepnoutNepovolPristup", "{chkPrepnoutNP}"},
    {"opNotAuthorized", "{chkNotAuth}"},
    {"rtNotAuthorized", "{chkNotAuth} ({capText})"},
    {"tabPrepnoutJTS", "{chkPrepnoutJTS}"},
    {"tabPrepnoutJTSCislo", "{chkPrepnoutJTS} ({capDigit})"},
    {"opExist", "{opExist|Posílat automatické hlášení existence}"},
    {"rtReCall", "{txtReCall|Text automatického hlášení existence}"},
    {"eeExistTime", "{txteeExistTime|Doba, po které se hlásí automatická existence}"},
    {"tabKOMUNIKFormat", "{lblKOMUNIKFormat|Formát:}"},
    {"tabKOMUNIKParita", "{lblKOMUNIKParita|Parita:}"},
    {"tabKOMUNIKFrekvence", "{lblKOMUNIKFrekvence|Frekvence:}"},
    {"tabKOMUNIKPocetTestu",
     "{lblKOMUNIKPocetTestu|Pokud nevychází parita - počet testů před přijetím zprávy (1-10)}"},
    {"tabKOMUNIKPocetBloku",
     "{lblKOMUNIKPocetBloku|Počet bloků od poplachvé ústředny - než se vyšle SMS zpráva "
     "(1-100)}"},
    {"tabRFRWait", "{lblRFRWait|Doba setrvání ve stavu Ready For Ring (3-768)}"},
    {"tabWaitFree", "{lblWaitFree|Doba neaktivity do zvednutí (5-90)}"},
    {"tabTC", "{lblTC}"},
    {"tabTCPrijem", "{lblTCPrijem1} {lblTCPrijem2}"},
    {"tabTCPoplach", "{lblTCPoplach1} {lblTCPoplach2}"},
    {"tabTCUdalost", "{lblTCUdalost1} {lblTCUdalost2}"},
    {"tabINPNazev", "{lblDInpName1} {lblDInpName2}"},
    {"tabINPVyp", "{lblDInpStates} {lblDInpStateOff1} ({lblDInpStateOff2})"},
    {"tabINPZap", "{lblDInpStates} {lblDInpStateOn1} ({lblDInpStateOn2})"},
    {"tabINPLHEvent", "{lblDInpChSLHf}"},
    {"tabINPLH", "{lblDInpChSLHf} ({capText})"},
    {"tabINPHLEvent", "{lblDInpChSHLf}"},
    {"tabINPHL", "{lblDInpChSHLf} ({capText})"},
    {"tabINPNeg", "{lblDInpNeg1} {lblDInpNeg2}"},
    {"tabINPZpr", "{lblDInpZpr1} {lblDInpZpr2}"},
    {"tabOUTNazev", "{lblDOutName1} {lblDOutName2}"},
    {"tabOUTVyp", "{lblDOutStates} {lblDOutStateOff1} ({lblDOutStateOff2})"},
    {"tabOUTZap", "{lblDOutStates} {lblDOutStateOn1} ({lblDOutStateOn2})"},
    {"tabOUTNeg", "{lblDOutNeg1} {lblDOutNeg2}"},
    {"tabOUTZpr", "{lblDOutZpr1} {lblDOutZpr2}"},
    {"tabOUTimpuls", "{capImpulse}"},
    {"tabOUTimpulsLEN", "{capImpulseLength}"},
};

// A label's text without the leaders and colon that join it to its control.
std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '.' || text.back() == ':'))
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    return text;
}

char rowLetter(FieldGroup group) {
    switch (group) {
    case FieldGroup::Telephone:
        return 'T';
    case FieldGroup::Input:
        return 'I';
    case FieldGroup::Output:
        return 'O';
    default:
        return '?';
    }
}

} // namespace

std::string fieldCaption(const SettingsField& field, const Texts& texts) {
    std::string caption = field.base();
    for (const auto& [base, pattern] : kCaptions)
        if (base == field.base())
            caption = trimmed(composeLabel(pattern, texts));
    if (field.row() < 0)
        return caption;
    return std::string(1, rowLetter(field.group())) + std::to_string(field.row()) + "  " + caption;
}

} // namespace rq7::ui
