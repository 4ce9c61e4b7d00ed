#include "ui/main/OutputPage.h"

#include "settings/SettingsRecord.h"
#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace rq7::ui {

namespace {
enum Column { Title, Name, StateOff, StateOn, Negate, Impulse, ImpulseLength, Listed, Options };
} // namespace

OutputPage::OutputPage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout;
    const auto centred = Qt::AlignHCenter | Qt::AlignBottom;
    grid->addWidget(makeHeading(this, QStringLiteral("lblDOutName")), 0, Name, 2, 1,
                    Qt::AlignBottom);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDOutStates")), 0, StateOff, 1, 2, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDOutStateOff")), 1, StateOff, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDOutStateOn")), 1, StateOn, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDOutNeg")), 0, Negate, 2, 1, centred);
    grid->addWidget(makeHeading(this, QStringLiteral("lblDOutZpr")), 0, Listed, 2, 1, centred);

    for (int row = 0; row < kRowCount; ++row) {
        const int line = row + 2;
        QLabel* title = makeLabel(this, rowName("tabOUTjmeno", row));
        title->setText(QStringLiteral("O%1").arg(row));
        grid->addWidget(title, line, Title);
        for (auto [stem, column] :
             {std::pair{"tabOUTNazev", Name}, {"tabOUTVyp", StateOff}, {"tabOUTZap", StateOn}}) {
            QLineEdit* text = makeText(this, rowName(stem, row), 0);
            setWidthInChars(text, 10); // stretched where the screen allows
            grid->addWidget(text, line, column);
        }
        grid->addWidget(makeCheck(this, rowName("tabOUTNeg", row)), line, Negate, Qt::AlignHCenter);
        // The impulse columns pass through with the settings; the row dialog edits them.
        for (auto [stem, column] :
             {std::pair{"tabOUTimpuls", Impulse}, std::pair{"tabOUTimpulsLEN", ImpulseLength}}) {
            QLineEdit* hidden = makeText(this, rowName(stem, row), 0, column == ImpulseLength);
            hidden->setEnabled(false);
            hidden->hide();
            grid->addWidget(hidden, line, column);
        }
        grid->addWidget(makeCheck(this, rowName("tabOUTZpr", row)), line, Listed, Qt::AlignHCenter);
        grid->addWidget(makeButton(this, rowName("tabOUTbt", row)), line, Options);
    }
    for (int column : {Name, StateOff, StateOn})
        grid->setColumnStretch(column, 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addStretch(1);
}

} // namespace rq7::ui
