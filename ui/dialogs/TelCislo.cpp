#include "ui/dialogs/TelCislo.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"
#include "ui/main/rules/PhoneFlagRules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace rq7::ui {

const std::vector<ControlLabel>& telCisloLabels() {
    using T = LabelTarget;
    static const std::vector<ControlLabel> labels = {
        {"lblTC", T::Caption, "{lblTC}:"},
        {"TCPrijem", T::Caption, "{lblTCPrijem1} {lblTCPrijem2}"},
        {"TCPoplach", T::Caption, "{lblTCPoplach1} {lblTCPoplach2}"},
        {"TCUdalost", T::Caption, "{lblTCUdalost1} {lblTCUdalost2}"},
        {"btOk", T::Caption, "{btOK}"},
        {"btStorno", T::Caption, "{btCancel}"},
    };
    return labels;
}

TelCislo::TelCislo(const RowDialogPorts& ports) : RowDialog(ports, QStringLiteral("TelCislo")) {
    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblTC")), 0, 0);
    grid->addWidget(makeField("TC"), 0, 1);
    grid->addWidget(makeCheck(frame, QStringLiteral("TCPrijem")), 1, 0, 1, 2);
    QCheckBox* alarm = makeCheck(frame, QStringLiteral("TCPoplach"));
    alarm->hide(); // hidden as the alarm column of the main window
    grid->addWidget(alarm, 2, 0, 1, 2);
    grid->addWidget(makeCheck(frame, QStringLiteral("TCUdalost")), 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    layOutWithButtons({frame});

    setUp({"lblTC",
           'T',
           {{"tabTC", "TC"},
            {"tabTCPrijem", "TCPrijem"},
            {"tabTCPoplach", "TCPoplach"},
            {"tabTCUdalost", "TCUdalost"}},
           {"TC"},
           &telCisloLabels(),
           {"TC", "TCPrijem", "TCPoplach", "TCUdalost", "btOk", "btStorno"}});
}

void TelCislo::EditTC(int row) {
    if (row < 0 || row >= kRowCount)
        return;
    editRow(row);
    rules::CheckPhoneFlags(ports().phoneRows, row, ports().validation, ports().texts,
                           ports().prompter);
}

} // namespace rq7::ui
