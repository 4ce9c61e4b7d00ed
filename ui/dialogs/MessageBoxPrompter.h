#pragma once
// The program's one Prompter: every message of the core and the windows is
// shown here as a modal QMessageBox over the active window, with the title,
// icon and buttons the message names.

#include "ports/Prompter.h"

#include <QPointer>

class QMessageBox;
class QWidget;

namespace rq7::ui {

class MessageBoxPrompter : public Prompter {
public:
    // `owner`: the window the boxes belong to when no window is active.
    explicit MessageBoxPrompter(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer ask(const Message& message) override;

private:
    QPointer<QWidget> owner_;
};

// The box for a message, not yet shown (exposed for the tests).
QMessageBox* buildMessageBox(const Message& message, QWidget* parent);

} // namespace rq7::ui
