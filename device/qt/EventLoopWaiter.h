#pragma once
// The real Waiter: sleeps in a nested event loop until its transport
// reports input (for a frame: its terminator), the deadline's timer fires or
// the user's cancel wakes it. Windows stay responsive meanwhile. Usable under
// QApplication and QCoreApplication.

#include "device/Waiter.h"
#include "device/qt/EventTransport.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace rq7::device {

class EventLoopWaiter : public QObject, public Waiter {
    Q_OBJECT
public:
    // Waits on `transport`, whose signals wake it; the transport outlives
    // the waiter. The Transport each wait is given is the link's view of
    // that one (a trace wraps it) and is not looked at.
    explicit EventLoopWaiter(EventTransport& transport, QObject* parent = nullptr);
    ~EventLoopWaiter() override;

    // Answers whether the user asked to cancel (the status window's Storno,
    // Ctrl-C); looked at when a wait starts and whenever it is woken.
    void setCancelProbe(std::function<bool()> probe) { cancelProbe_ = std::move(probe); }

    Millis now() const override;
    Wake waitUntil(Transport& transport, Millis deadline) override;
    Wake waitIgnoringCancel(Transport& transport, Millis deadline) override;
    // Input that does not hold the terminator leaves the sleep undisturbed.
    Wake waitForTerminator(Transport& transport, std::uint8_t terminator, Millis deadline,
                           CancelMode mode) override;

public slots:
    // Ends the running wait's sleep so that it looks at the cancel again.
    // Call it after setting the cancel.
    void wake();

private:
    class Sleep;

    Wake wait(Millis deadline, bool honourCancel, std::optional<std::uint8_t> terminator);

    EventTransport& transport_;
    std::function<bool()> cancelProbe_;
    // A loop and its timer kept from one wait to the next; a wait nested in
    // another's event processing makes its own.
    std::unique_ptr<Sleep> spare_;
    Sleep* current_ = nullptr; // the innermost running wait
};

} // namespace rq7::device
