#include "ui/main/PhonePage.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rq7::ui {

namespace {
enum Column { Title, Number, Accept, Alarm, Event, Options };
constexpr int kDefaultPrefixLength = 4;
} // namespace

PhonePage::PhonePage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout;
    grid->addWidget(makeHeading(this, QStringLiteral("lblTCName")), 0, Number);
    grid->addWidget(makeHeading(this, QStringLiteral("lblTCPrijem")), 0, Accept, Qt::AlignHCenter);
    QLabel* alarmHeading = makeHeading(this, QStringLiteral("lblTCPoplach"));
    alarmHeading->hide(); // the alarm column is kept, not shown
    grid->addWidget(alarmHeading, 0, Alarm, Qt::AlignHCenter);
    grid->addWidget(makeHeading(this, QStringLiteral("lblTCUdalost")), 0, Event, Qt::AlignHCenter);

    for (int row = 0; row < kRowCount; ++row) {
        const int line = row + 1;
        QLabel* title = makeLabel(this, rowName("tabTCjmeno", row));
        title->setText(QStringLiteral("T%1").arg(row));
        grid->addWidget(title, line, Title);
        QLineEdit* number = makeText(this, rowName("tabTC", row), 0);
        setWidthInChars(number, 22);
        number->setMaximumWidth(number->minimumWidth() * 3 / 2);
        grid->addWidget(number, line, Number);
        grid->addWidget(makeCheck(this, rowName("tabTCPrijem", row)), line, Accept,
                        Qt::AlignHCenter);
        QCheckBox* alarm = makeCheck(this, rowName("tabTCPoplach", row));
        alarm->hide();
        grid->addWidget(alarm, line, Alarm, Qt::AlignHCenter);
        grid->addWidget(makeCheck(this, rowName("tabTCUdalost", row)), line, Event,
                        Qt::AlignHCenter);
        grid->addWidget(makeButton(this, rowName("tabTCZmenit", row)), line, Options);
    }
    grid->setColumnStretch(Options + 1, 1); // spare width goes to the right

    auto* prefixRow = new QHBoxLayout;
    prefixRow->addWidget(makeLabel(this, QStringLiteral("lblTCUTO")));
    QLineEdit* prefix = makeText(this, QStringLiteral("tabUTO"), kDefaultPrefixLength);
    setWidthInChars(prefix, 6, true);
    prefixRow->addWidget(prefix);
    prefixRow->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addSpacing(12);
    column->addLayout(prefixRow);
    column->addStretch(1);
}

} // namespace rq7::ui
