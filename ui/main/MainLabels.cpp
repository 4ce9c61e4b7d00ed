#include "ui/main/MainLabels.h"

namespace rq7::ui {

const std::vector<ControlLabel>& mainWindowLabels() {
    using T = LabelTarget;
    static const std::vector<ControlLabel> labels = {
        {"Hlavni", T::Caption, "{lblMainForm}"},
        {"FrameComm", T::Caption, "{lblCommFrame}"},
        {"lblCommPort", T::Caption, "{lblCommPort}"},
        {"tabPort", T::Tooltip, "{tttCommPort}"},
        {"lblConnection", T::Caption, "{lblConnection}"},
        {"btSerie", T::CaptionAndTooltip, "{btSerie}"},
        {"frmInformace", T::Caption, "{lblInfoFrame}"},
        {"lblProduct", T::Caption, "{lblProduct}"},
        {"lblVersion", T::Caption, "{lblVersion2}"},
        {"lblModem", T::Caption, "{lblModem}"},
        {"lblMemSize", T::Caption, "{lblMemSize}"},
        {"lblMemUsage", T::Caption, "{lblMemUsage}"},
        {"lblMemFree", T::Caption, "{lblMemFree}"},
        {"frmTrans", T::Caption, "{lblButFrame}"},
        {"CheckWrite", T::Caption, "{chkCheckSaving}"},
        // The settings buttons have no caption of their own; they show their
        // tooltip beside the icon so that nobody has to hover to find them.
        {"btFileLoad", T::CaptionAndTooltip, "{tttLoadFile}"},
        {"btBackupOpen", T::CaptionAndTooltip, "{tttBackupOpen}"},
        {"btFileSave", T::CaptionAndTooltip, "{tttSaveFile}"},
        {"btEEPROMLoad", T::CaptionAndTooltip, "{tttLoadDevice}"},
        {"btEEPROMSave", T::CaptionAndTooltip, "{tttSaveDevice}"},
        {"btTisk", T::CaptionAndTooltip, "{tttPrint}"},
        {"frmProgram", T::Caption, "{lblProgFrame}"},
        {"btInformace", T::Caption, "{btInfo}"},
        {"btKonec", T::Caption, "{btEnd}"},
        {"TabList", T::TabCaption, "{tabMain}", 0},
        {"TabList", T::TabCaption, "{tabTC}", 1},
        {"TabList", T::TabCaption, "{tabDInp}", 2},
        {"TabList", T::TabCaption, "{tabDOut}", 3},

        // Page 0.
        {"FrameInit", T::Caption, "{lblFrameInit}"},
        {"lblJmenoStanice", T::Caption, "{lbljmenostanice}"},
        {"lblPIN", T::Caption, "{lblPIN}"},
        {"lblCSCA", T::Caption, "{lblSCSA}"},
        {"frameSMS", T::Caption, "{lblFrameSMS}"},
        {"lblVP1", T::Caption, "{lblVP1}"},
        {"lblVP2", T::Caption, "{lblVP2}"},
        {"tabBezpecRezim", T::Caption, "{chkBezpecRez}"},
        {"tabPrepnoutJTS", T::Caption, "{chkPrepnoutJTS}"},
        {"tabOdpovidatT0", T::Caption, "{chkOdpovidatT0}"},
        {"tabPrepnoutNepovolPristup", T::Caption, "{chkPrepnoutNP}"},
        {"opNotAuthorized", T::Caption, "{chkNotAuth}"},

        // Table headings.
        {"lblTCName", T::Caption, "{lbltcName1}\n{lbltcName2}"},
        {"lblTCPrijem", T::Caption, "{lblTCPrijem1}\n{lblTCPrijem2}"},
        {"lblTCPoplach", T::Caption, "{lblTCPoplach1}\n{lblTCPoplach2}"},
        {"lblTCUdalost", T::Caption, "{lblTCUdalost1}\n{lblTCUdalost2}"},
        {"lblTCUTO", T::Caption, "{lblTCUTO}"},
        {"tabUTO", T::Text, "{valUTO}"},
        {"lblDInName", T::Caption, "{lblDInpName1}\n{lblDInpName2}"},
        {"lblDInStates", T::Caption, "{lblDInpStates}"},
        {"lblDInStateOff", T::Caption, "{lblDInpStateOff1}\n{lblDInpStateOff2}"},
        {"lblDInStateOn", T::Caption, "{lblDInpStateOn1}\n{lblDInpStateOn2}"},
        {"lblDInChangeState", T::Caption, "{lblDInpChState1}\n{lblDInpChState2}"},
        {"lblDInChangeStateLH", T::Caption, "{lblDInpChSLH}"},
        {"lblDInChangeStateHL", T::Caption, "{lblDInpChSHL}"},
        {"lblDInNeg", T::Caption, "{lblDInpNeg1}\n{lblDInpNeg2}"},
        {"lblDInZpr", T::Caption, "{lblDInpZpr1}\n{lblDInpZpr2}"},
        {"lblDOutName", T::Caption, "{lblDOutName1}\n{lblDOutName2}"},
        {"lblDOutStates", T::Caption, "{lblDOutStates}"},
        {"lblDOutStateOff", T::Caption, "{lblDOutStateOff1}\n{lblDOutStateOff2}"},
        {"lblDOutStateOn", T::Caption, "{lblDOutStateOn1}\n{lblDOutStateOn2}"},
        {"lblDOutNeg", T::Caption, "{lblDOutNeg1}\n{lblDOutNeg2}"},
        {"lblDOutZpr", T::Caption, "{lblDOutZpr1}\n{lblDOutZpr2}"},
        {"tabTCZmenit", T::Caption, "{lblButtonCh}", -1, true},
        {"tabINPbt", T::Caption, "{lblButtonCh}", -1, true},
        {"tabOUTbt", T::Caption, "{lblButtonCh}", -1, true},

        // Hidden frames: their texts are keyed by the control's own name.
        {"frUSSD", T::Caption, "{frUSSD|USSD}"},
        {"opExist", T::Caption, "{opExist|Posílat automatické hlášení existence}"},
        {"txtReCall", T::Caption, "{txtReCall|Text automatického hlášení existence ......}"},
        {"txteeExistTime", T::Caption,
         "{txteeExistTime|Doba, po které se hlásí automatická existence"
         ".......................}"},
        {"txt2eeExistTime", T::Caption, "{txt2eeExistTime|minut}"},
        {"Frame2", T::Caption, "{Frame2|Komunikační formát}"},
        {"lblKOMUNIKFormat", T::Caption, "{lblKOMUNIKFormat|Formát:}"},
        {"lblKOMUNIKParita", T::Caption, "{lblKOMUNIKParita|Parita:}"},
        {"lblKOMUNIKFrekvence", T::Caption, "{lblKOMUNIKFrekvence|Frekvence:}"},
        {"lblKOMUNIKPocetTestu", T::Caption,
         "{lblKOMUNIKPocetTestu|Pokud nevychází parita - počet testů před přijetím zprávy "
         "(1-10) ...........}"},
        {"lblKOMUNIKPocetBloku", T::Caption,
         "{lblKOMUNIKPocetBloku|Počet bloků od poplachvé ústředny - než se vyšle SMS zpráva "
         "(1-100) }"},
        {"lblRFRWait", T::Caption,
         "{lblRFRWait|Doba setrvání ve stavu Ready For Ring (3-768) "
         ".....................................}"},
        {"lblRFRWait2", T::Caption, "{lblRFRWait2|sekund}"},
        {"lblWaitFree", T::Caption,
         "{lblWaitFree|Doba neaktivity do zvednutí (5-90)"
         "........................................................}"},
        {"lblWaitFree2", T::Caption, "{lblWaitFree2|sekund}"},
    };
    return labels;
}

} // namespace rq7::ui
