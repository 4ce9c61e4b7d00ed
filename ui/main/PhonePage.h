#pragma once
// Page 1 of TabList: the telephone numbers T0..T7 with their accept, alarm
// (hidden) and event flags, each row's options button, and the default
// prefix tabUTO.

#include <QWidget>

namespace rq7::ui {

class PhonePage : public QWidget {
    Q_OBJECT
public:
    explicit PhonePage(QWidget* parent = nullptr);
};

} // namespace rq7::ui
