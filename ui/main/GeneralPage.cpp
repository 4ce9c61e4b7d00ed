#include "ui/main/GeneralPage.h"

#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace rq7::ui {

GeneralPage::GeneralPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildInitFrame());
    layout->addWidget(buildReportFrame());
    layout->addWidget(buildSmsFrame());
    layout->addWidget(buildHiddenFrames());
    layout->addStretch(1);
}

QWidget* GeneralPage::buildInitFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("FrameInit"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblJmenoStanice")), 0, 0);
    grid->addWidget(makeText(frame, QStringLiteral("tabJmenoStanice"), 0), 0, 1);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblPIN")), 1, 0);
    QLineEdit* pin = makeText(frame, QStringLiteral("tabPIN"), 0);
    setWidthInChars(pin, 10, true);
    grid->addWidget(pin, 1, 1, Qt::AlignLeft);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblCSCA")), 2, 0);
    QComboBox* centre = makeCombo(frame, QStringLiteral("tabTCcentra"), true);
    centre->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(centre, 2, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* GeneralPage::buildReportFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame4"));
    auto* column = new QVBoxLayout(frame);
    column->addWidget(makeCheck(frame, QStringLiteral("opNotAuthorized")));
    auto* reportRow = new QHBoxLayout;
    reportRow->addSpacing(24);
    reportRow->addWidget(makeText(frame, QStringLiteral("rtNotAuthorized"), 0));
    column->addLayout(reportRow);
    column->addWidget(makeCheck(frame, QStringLiteral("tabPrepnoutNepovolPristup")));
    column->addWidget(makeCheck(frame, QStringLiteral("tabOdpovidatT0")));
    QCheckBox* secure = makeCheck(frame, QStringLiteral("tabBezpecRezim"));
    secure->setEnabled(false); // shown, but not the user's to change
    column->addWidget(secure);

    // The switch-over to the public line is a setting the window does not offer.
    auto* switchRow = new QHBoxLayout;
    QCheckBox* switchOver = makeCheck(frame, QStringLiteral("tabPrepnoutJTS"));
    QLineEdit* digit = makeText(frame, QStringLiteral("tabPrepnoutJTSCislo"), 0, true);
    switchOver->hide();
    digit->hide();
    switchRow->addWidget(switchOver);
    switchRow->addWidget(digit);
    column->addLayout(switchRow);
    return frame;
}

QWidget* GeneralPage::buildSmsFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("frameSMS"));
    auto* row = new QHBoxLayout(frame);
    row->addWidget(makeLabel(frame, QStringLiteral("lblVP1")));
    QLineEdit* validity = makeText(frame, QStringLiteral("tabDobaPlatnostiSMS"), 0, true);
    setWidthInChars(validity, 6, true);
    row->addWidget(validity);
    row->addWidget(makeLabel(frame, QStringLiteral("lblVP2")));
    row->addStretch(1);
    return frame;
}

// frUSSD, Frame7 and Frame2 hold settings that the device keeps but this
// window never shows; the controls exist so the settings pass through.
QWidget* GeneralPage::buildHiddenFrames() {
    auto* holder = new QWidget(this);
    holder->setObjectName(QStringLiteral("hiddenSettings"));
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);

    QGroupBox* ussd = makeFrame(holder, QStringLiteral("frUSSD"));
    auto* ussdGrid = new QGridLayout(ussd);
    ussdGrid->addWidget(makeCheck(ussd, QStringLiteral("opExist")), 0, 0, 1, 3);
    ussdGrid->addWidget(makeLabel(ussd, QStringLiteral("txtReCall")), 1, 0);
    ussdGrid->addWidget(makeText(ussd, QStringLiteral("rtReCall"), 0), 1, 1, 1, 2);
    ussdGrid->addWidget(makeLabel(ussd, QStringLiteral("txteeExistTime")), 2, 0);
    ussdGrid->addWidget(makeText(ussd, QStringLiteral("eeExistTime"), 0, true), 2, 1);
    ussdGrid->addWidget(makeLabel(ussd, QStringLiteral("txt2eeExistTime")), 2, 2);
    column->addWidget(ussd);

    QGroupBox* link = makeFrame(holder, QStringLiteral("Frame7"));
    auto* linkGrid = new QGridLayout(link);
    // Caption, field, unit (if any).
    const char* const numbers[][3] = {{"lblKOMUNIKPocetTestu", "tabKOMUNIKPocetTestu", nullptr},
                                      {"lblKOMUNIKPocetBloku", "tabKOMUNIKPocetBloku", nullptr},
                                      {"lblRFRWait", "tabRFRWait", "lblRFRWait2"},
                                      {"lblWaitFree", "tabWaitFree", "lblWaitFree2"}};
    int row = 0;
    for (const auto& line : numbers) {
        linkGrid->addWidget(makeLabel(link, QString::fromLatin1(line[0])), row, 0);
        linkGrid->addWidget(makeText(link, QString::fromLatin1(line[1]), 0, true), row, 1);
        if (line[2])
            linkGrid->addWidget(makeLabel(link, QString::fromLatin1(line[2])), row, 2);
        ++row;
    }
    column->addWidget(link);

    QGroupBox* format = makeFrame(holder, QStringLiteral("Frame2"));
    auto* formatGrid = new QGridLayout(format);
    const char* const lists[][2] = {{"lblKOMUNIKFormat", "tabKOMUNIKFormat"},
                                    {"lblKOMUNIKParita", "tabKOMUNIKParita"},
                                    {"lblKOMUNIKFrekvence", "tabKOMUNIKFrekvence"}};
    row = 0;
    for (const auto& pair : lists) {
        formatGrid->addWidget(makeLabel(format, QString::fromLatin1(pair[0])), row, 0);
        formatGrid->addWidget(makeCombo(format, QString::fromLatin1(pair[1]), false), row, 1);
        ++row;
    }
    column->addWidget(format);

    ussd->hide();
    link->hide();
    format->hide();
    holder->hide();
    return holder;
}

} // namespace rq7::ui
