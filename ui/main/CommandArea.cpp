#include "ui/main/CommandArea.h"

#include "ui/dialogs/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace rq7::ui {

CommandArea::CommandArea(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildCommFrame());
    column->addWidget(buildInfoFrame());
    column->addWidget(buildTransferFrame());
    column->addWidget(buildProgramFrame());
    column->addStretch(1);
}

QWidget* CommandArea::buildCommFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("FrameComm"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblCommPort")), 0, 0);
    QComboBox* port = makeCombo(frame, QStringLiteral("tabPort"), true);
    for (int n = 1; n <= 4; ++n)
        port->addItem(QStringLiteral("COM %1").arg(n));
    grid->addWidget(port, 0, 1);
    grid->addWidget(makeButton(frame, QStringLiteral("btDEA")), 1, 0, 1, 2);
    grid->addWidget(makeLabel(frame, QStringLiteral("lblConnection")), 2, 0);
    grid->addWidget(makeLabel(frame, QStringLiteral("tabDeAktivNapis")), 2, 1);
    grid->addWidget(makeButton(frame, QStringLiteral("btSerie")), 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* CommandArea::buildInfoFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("frmInformace"));
    auto* grid = new QGridLayout(frame);
    const char* const rows[][2] = {
        {"lblProduct", "lblInfoProdukt"},   {"lblVersion", "lblInfoVerze"},
        {"lblModem", "lblInfoModem"},       {"lblMemSize", "lblInfoPamSize"},
        {"lblMemUsage", "lblInfoPamUsage"}, {"lblMemFree", "lblInfoPamFree"}};
    int row = 0;
    for (const auto& pair : rows) {
        grid->addWidget(makeLabel(frame, QString::fromLatin1(pair[0])), row, 0);
        QLabel* value = makeLabel(frame, QString::fromLatin1(pair[1]));
        value->setText(QStringLiteral("?"));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* CommandArea::buildTransferFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("frmTrans"));
    auto* column = new QVBoxLayout(frame);
    struct ButtonLook {
        const char* name;
        const char* themeIcon;
        QStyle::StandardPixmap fallback;
    };
    const ButtonLook buttons[] = {
        {"btFileLoad", "document-open", QStyle::SP_DialogOpenButton},
        {"btBackupOpen", "document-open-recent", QStyle::SP_FileDialogBack},
        {"btFileSave", "document-save", QStyle::SP_DialogSaveButton},
        {"btEEPROMLoad", "go-down", QStyle::SP_ArrowDown},
        {"btEEPROMSave", "go-up", QStyle::SP_ArrowUp},
        {"btTisk", "document-print", QStyle::SP_FileIcon}};
    for (const ButtonLook& look : buttons) {
        QPushButton* button = makeButton(frame, QString::fromLatin1(look.name));
        button->setIcon(QIcon::fromTheme(QString::fromLatin1(look.themeIcon),
                                         style()->standardIcon(look.fallback)));
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
        column->addWidget(button);
    }
    QCheckBox* verify = makeCheck(frame, QStringLiteral("CheckWrite"));
    verify->setChecked(true);
    column->addWidget(verify);
    return frame;
}

QWidget* CommandArea::buildProgramFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("frmProgram"));
    auto* column = new QVBoxLayout(frame);
    column->addWidget(makeButton(frame, QStringLiteral("btInformace")));
    column->addWidget(makeButton(frame, QStringLiteral("btKonec")));
    return frame;
}

} // namespace rq7::ui
