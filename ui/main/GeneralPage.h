#pragma once
// Page 0 of TabList: station, PIN, SMS centre, access reports and the SMS
// validity. The settings without a visible control (existence report, the
// alarm-panel link, the switch-over to the public line) are built here too,
// hidden, so that they are read and written with the rest.

#include <QWidget>

namespace rq7::ui {

class GeneralPage : public QWidget {
    Q_OBJECT
public:
    explicit GeneralPage(QWidget* parent = nullptr);

private:
    QWidget* buildInitFrame();
    QWidget* buildReportFrame();
    QWidget* buildSmsFrame();
    QWidget* buildHiddenFrames();
};

} // namespace rq7::ui
