#pragma once
// Page 2 of TabList: the logical inputs I0..I7 with name, the two state
// names, the two change reports with their switches, negation, listing in
// reports and each row's options button.

#include <QWidget>

namespace rq7::ui {

class InputPage : public QWidget {
    Q_OBJECT
public:
    explicit InputPage(QWidget* parent = nullptr);
};

} // namespace rq7::ui
