#pragma once
// Page 3 of TabList: the logical outputs O0..O7 with name, the two state
// names, negation, listing in reports and each row's options button. The
// impulse name and length are kept in hidden, disabled controls.

#include <QWidget>

namespace rq7::ui {

class OutputPage : public QWidget {
    Q_OBJECT
public:
    explicit OutputPage(QWidget* parent = nullptr);
};

} // namespace rq7::ui
