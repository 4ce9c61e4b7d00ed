#pragma once
// The status window of long operations: one message (Napis), a progress bar
// under it while a total is known, and Storno for the operations that can be
// interrupted. It is modal to its owner without blocking the operation: the
// operation keeps running and yields to the event loop, the owner takes no
// input meanwhile, so no second command can start in the middle of a
// transfer; Storno stays usable.

#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace rq7::ui {

// The caption while an operation runs, and the window title otherwise.
inline constexpr const char* kProductName = "RQ7";
inline constexpr const char* kApplicationTitle = "RQ7 Init";

class Info : public QDialog, public StatusSink {
    Q_OBJECT
public:
    Info(const Texts& texts, QWidget* owner);
    ~Info() override;

    void ChangeLanguage();

    // ShowStatus with Storno.
    void showStatus(const std::string& text) override;
    // ShowStatus without Storno.
    void showStatusWithoutCancel(const std::string& text) override;
    void hideStatus() override;
    void progress(int done, int total) override;
    // Under the message: the seconds waited, then the hint.
    void showWaiting(const std::string& elapsed, const std::string& hint) override;
    void showNote(const std::string& text) override;
    // CancelFlag.
    bool cancelRequested() const override { return cancelFlag_; }

    // True from ShowStatus to HideStatus, also after Storno has hidden the window.
    bool operationRunning() const { return running_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWith(const std::string& text, bool allowCancel);
    void storno();

    const Texts& texts_;
    QPointer<QWidget> owner_;
    QLabel* napis_;
    QLabel* waiting_;
    QLabel* note_;
    QProgressBar* bar_;
    QPushButton* storno_;
    bool cancelFlag_ = false;
    bool running_ = false;
};

} // namespace rq7::ui
