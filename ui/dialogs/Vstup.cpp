#include "ui/dialogs/Vstup.h"

#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace rq7::ui {

const std::vector<ControlLabel>& vstupLabels() {
    using T = LabelTarget;
    static const std::vector<ControlLabel> labels = {
        {"lblDInpName", T::Caption, "{lblDInpName1} {lblDInpName2}:"},
        {"lblDInpStateOff", T::Caption, "{lblDInpStates} {lblDInpStateOff1} ({lblDInpStateOff2}):"},
        {"lblDInpStateOn", T::Caption, "{lblDInpStates} {lblDInpStateOn1} ({lblDInpStateOn2}):"},
        {"INPNeg", T::Caption, "{lblDInpNeg1} {lblDInpNeg2}"},
        {"INPZpr", T::Caption, "{lblDInpZpr1} {lblDInpZpr2}"},
        {"INPLHEvent", T::Caption, "{lblDInpChSLHf}"},
        {"INPHLEvent", T::Caption, "{lblDInpChSHLf}"},
        {"btOk", T::Caption, "{btOK}"},
        {"btStorno", T::Caption, "{btCancel}"},
    };
    return labels;
}

Vstup::Vstup(const RowDialogPorts& ports) : RowDialog(ports, QStringLiteral("Vstup")) {
    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    int line = 0;
    const auto labelled = [&](const char* label, const char* field) {
        grid->addWidget(makeLabel(frame, QString::fromLatin1(label)), line, 0);
        grid->addWidget(makeField(field), line++, 1);
    };
    const auto flagged = [&](const char* flag, const char* field) {
        grid->addWidget(makeCheck(frame, QString::fromLatin1(flag)), line, 0);
        grid->addWidget(makeField(field), line++, 1);
    };
    labelled("lblDInpName", "INPNazev");
    grid->addWidget(makeCheck(frame, QStringLiteral("INPZpr")), line++, 0, 1, 2);
    labelled("lblDInpStateOff", "INPVyp");
    labelled("lblDInpStateOn", "INPZap");
    flagged("INPLHEvent", "INPLH");
    flagged("INPHLEvent", "INPHL");
    grid->addWidget(makeCheck(frame, QStringLiteral("INPNeg")), line++, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    layOutWithButtons({frame});

    setUp({"lblDinp",
           'I',
           {{"tabINPNazev", "INPNazev"},
            {"tabINPZap", "INPZap"},
            {"tabINPVyp", "INPVyp"},
            {"tabINPLH", "INPLH"},
            {"tabINPHL", "INPHL"},
            {"tabINPZpr", "INPZpr"},
            {"tabINPLHEvent", "INPLHEvent"},
            {"tabINPHLEvent", "INPHLEvent"},
            {"tabINPNeg", "INPNeg"}},
           {"INPNazev", "INPZap", "INPVyp", "INPLH", "INPHL"},
           &vstupLabels(),
           {"INPNazev", "INPZpr", "INPVyp", "INPZap", "INPLHEvent", "INPLH", "INPHLEvent", "INPHL",
            "INPNeg", "btOk", "btStorno"}});
}

void Vstup::EditINP(int row) {
    editRow(row);
}

} // namespace rq7::ui
