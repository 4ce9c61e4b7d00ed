#include "ui/dialogs/Vystup.h"

#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace rq7::ui {

const std::vector<ControlLabel>& vystupLabels() {
    using T = LabelTarget;
    static const std::vector<ControlLabel> labels = {
        {"lblDOutName", T::Caption, "{lblDOutName1} {lblDOutName2}:"},
        {"lblDOutStateOff", T::Caption, "{lblDOutStates} {lblDOutStateOff1} ({lblDOutStateOff2}):"},
        {"lblDOutStateOn", T::Caption, "{lblDOutStates} {lblDOutStateOn1} ({lblDOutStateOn2}):"},
        {"OUTNeg", T::Caption, "{lblDOutNeg1} {lblDOutNeg2}"},
        {"OUTZpr", T::Caption, "{lblDOutZpr1} {lblDOutZpr2}"},
        {"btOk", T::Caption, "{btOK}"},
        {"btStorno", T::Caption, "{btCancel}"},
        // The impulse group keeps its texts in every language.
        {"Frame3", T::Caption, "Impulsy"},
        {"lblImpuls", T::Caption, "P\u0159\u00edkaz pro vysl\u00e1n\u00ed impulsu:"},
        {"lblImpulsLEN", T::Caption, "Doba trv\u00e1n\u00ed impulsu:"},
        {"lblImpulsUnit", T::Caption, "* 0,1 sekund"},
    };
    return labels;
}

Vystup::Vystup(const RowDialogPorts& ports) : RowDialog(ports, QStringLiteral("Vystup")) {
    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblDOutName")), 0, 0);
    grid->addWidget(makeField("OUTNazev"), 0, 1);
    grid->addWidget(makeCheck(frame, QStringLiteral("OUTZpr")), 1, 0, 1, 2);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblDOutStateOff")), 2, 0);
    grid->addWidget(makeField("OUTVyp"), 2, 1);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblDOutStateOn")), 3, 0);
    grid->addWidget(makeField("OUTZap"), 3, 1);
    grid->addWidget(makeCheck(frame, QStringLiteral("OUTNeg")), 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // The impulse group is open to editing: the dialog is the only place
    // where the impulse name and length can be changed.
    QGroupBox* impulses = makeFrame(this, QStringLiteral("Frame3"));
    auto* impulseGrid = new QGridLayout(impulses);
    impulseGrid->addWidget(makeLabel(impulses, QStringLiteral("lblImpuls")), 0, 0);
    impulseGrid->addWidget(makeField("OUTimpuls"), 0, 1, 1, 2);
    impulseGrid->addWidget(makeLabel(impulses, QStringLiteral("lblImpulsLEN")), 1, 0);
    impulseGrid->addWidget(makeField("OUTimpulsLEN"), 1, 1);
    impulseGrid->addWidget(makeLabel(impulses, QStringLiteral("lblImpulsUnit")), 1, 2);
    impulseGrid->setColumnStretch(2, 1);

    layOutWithButtons({frame, impulses});

    setUp({"lblDOut",
           'O',
           {{"tabOUTNazev", "OUTNazev"},
            {"tabOUTZap", "OUTZap"},
            {"tabOUTVyp", "OUTVyp"},
            {"tabOUTZpr", "OUTZpr"},
            {"tabOUTNeg", "OUTNeg"},
            {"tabOUTimpuls", "OUTimpuls"},
            {"tabOUTimpulsLEN", "OUTimpulsLEN"}},
           {"OUTNazev", "OUTZap", "OUTVyp", "OUTimpuls"},
           &vystupLabels(),
           {"OUTNazev", "OUTZpr", "OUTVyp", "OUTZap", "OUTNeg", "OUTimpuls", "OUTimpulsLEN", "btOk",
            "btStorno"}});
}

void Vystup::EditOUT(int row) {
    editRow(row);
}

} // namespace rq7::ui
