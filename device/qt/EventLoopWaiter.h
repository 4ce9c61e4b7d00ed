#pragma once
// The real Waiter: sleeps in a nested event loop until the transport reports
// input, the deadline's timer fires or the user's cancel wakes it. Windows
// stay responsive meanwhile. Usable under QApplication and QCoreApplication.

#include "device/Waiter.h"

#include <QObject>
#include <functional>

class QEventLoop;

namespace rq7::device {

class EventLoopWaiter : public QObject, public Waiter {
    Q_OBJECT
public:
    explicit EventLoopWaiter(QObject* parent = nullptr);

    // Answers whether the user asked to cancel (the status window's Storno,
    // Ctrl-C); looked at when a wait starts and whenever it is woken.
    void setCancelProbe(std::function<bool()> probe) { cancelProbe_ = std::move(probe); }

    Millis now() const override;
    // The transport must be an EventTransport; any other throws
    // std::logic_error, since its input could not wake the wait.
    Wake waitUntil(Transport& transport, Millis deadline) override;
    Wake waitIgnoringCancel(Transport& transport, Millis deadline) override;

public slots:
    // Ends the running wait's sleep so that it looks at the cancel again.
    // Call it after setting the cancel.
    void wake();

private:
    Wake wait(Transport& transport, Millis deadline, bool honourCancel);

    std::function<bool()> cancelProbe_;
    QEventLoop* loop_ = nullptr;
};

} // namespace rq7::device
