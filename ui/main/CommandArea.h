#pragma once
// The left column of the main window: communication (FrameComm), the
// connected device's data and the settings size (frmInformace), the settings
// commands (frmTrans) and the program commands (frmProgram).

#include <QWidget>

namespace rq7::ui {

class CommandArea : public QWidget {
    Q_OBJECT
public:
    explicit CommandArea(QWidget* parent = nullptr);

private:
    QWidget* buildCommFrame();
    QWidget* buildInfoFrame();
    QWidget* buildTransferFrame();
    QWidget* buildProgramFrame();
};

} // namespace rq7::ui
