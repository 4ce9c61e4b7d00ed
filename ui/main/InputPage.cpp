#include "ui/main/InputPage.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rq7::ui {

namespace {
enum Column {
    Title,
    Name,
    StateOff,
    StateOn,
    RiseEvent,
    RiseText,
    FallEvent,
    FallText,
    Negate,
    Listed,
    Options
};
} // namespace

InputPage::InputPage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout;
    const auto centred = Qt::AlignHCenter | Qt::AlignBottom;
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInName")), 0, Name, 2, 1,
                    Qt::AlignBottom);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInStates")), 0, StateOff, 1, 2, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInStateOff")), 1, StateOff, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInStateOn")), 1, StateOn, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInChangeState")), 0, RiseEvent, 1, 4,
                    centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInChangeStateLH")), 1, RiseEvent, 1, 2,
                    centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInChangeStateHL")), 1, FallEvent, 1, 2,
                    centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInNeg")), 0, Negate, 2, 1, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDInZpr")), 0, Listed, 2, 1, centred);

    for (int row = 0; row < kRowCount; ++row) {
        const int line = row + 2;
        QLabel* title = makeLabel(this, rowName("tabINPjmeno", row));
        title->setText(QStringLiteral("I%1").arg(row));
        grid->addWidget(title, line, Title);
        // Made from left to right, so that Tab follows the columns.
        const auto text = [&](const char* stem, int column) {
            QLineEdit* field = makeText(this, rowName(stem, row), 0);
            // Narrow enough for a 1024-pixel screen; wider screens stretch them.
            setWidthInChars(field, column == RiseText || column == FallText ? 11 : 7);
            grid->addWidget(field, line, column);
        };
        text("tabINPNazev", Name);
        text("tabINPVyp", StateOff);
        text("tabINPZap", StateOn);
        grid->addWidget(makeCheck(this, rowName("tabINPLHEvent", row)), line, RiseEvent);
        text("tabINPLH", RiseText);
        grid->addWidget(makeCheck(this, rowName("tabINPHLEvent", row)), line, FallEvent);
        text("tabINPHL", FallText);
        grid->addWidget(makeCheck(this, rowName("tabINPNeg", row)), line, Negate, Qt::AlignHCenter);
        grid->addWidget(makeCheck(this, rowName("tabINPZpr", row)), line, Listed, Qt::AlignHCenter);
        grid->addWidget(makeButton(this, rowName("tabINPbt", row)), line, Options);
    }
    for (int column : {Name, StateOff, StateOn, RiseText, FallText})
        grid->setColumnStretch(column, column == RiseText || column == FallText ? 2 : 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addStretch(1);
}

} // namespace rq7::ui
