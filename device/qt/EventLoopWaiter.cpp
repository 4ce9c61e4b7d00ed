#include "device/qt/EventLoopWaiter.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace rq7::device {

// One nested event loop, its deadline timer and what it waits for. The loop
// is left only when the wait's condition holds (or the timer or wake() ends
// it), so bytes that do not complete a frame never reach the caller.
class EventLoopWaiter::Sleep {
public:
    explicit Sleep(EventTransport& source) : source_(source) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &loop_, &QEventLoop::quit);
        QObject::connect(&source, &EventTransport::inputArrived, &loop_, [this] {
            if (loop_.isRunning() && ready())
                loop_.quit();
        });
        QObject::connect(&source, &EventTransport::connectionLost, &loop_, &QEventLoop::quit);
    }
    Sleep(const Sleep&) = delete;
    Sleep& operator=(const Sleep&) = delete;

    void prepare(std::optional<std::uint8_t> terminator) { terminator_ = terminator; }

    bool ready() const {
        return terminator_ ? source_.hasInputByte(*terminator_) : source_.hasInput();
    }

    void sleep(Millis left) {
        timer_.start(left);
        loop_.exec();
        timer_.stop();
    }

    void quit() { loop_.quit(); }

private:
    EventTransport& source_;
    // The loop is the connections' context: they end with it.
    QEventLoop loop_;
    QTimer timer_;
    std::optional<std::uint8_t> terminator_;
};

EventLoopWaiter::EventLoopWaiter(EventTransport& transport, QObject* parent)
    : QObject(parent), transport_(transport) {}

EventLoopWaiter::~EventLoopWaiter() = default;

Millis EventLoopWaiter::now() const {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

Waiter::Wake EventLoopWaiter::waitUntil(Transport&, Millis deadline) {
    return wait(deadline, true, std::nullopt);
}

Waiter::Wake EventLoopWaiter::waitIgnoringCancel(Transport&, Millis deadline) {
    return wait(deadline, false, std::nullopt);
}

Waiter::Wake EventLoopWaiter::waitForTerminator(Transport&, std::uint8_t terminator,
                                                Millis deadline, CancelMode mode) {
    return wait(deadline, mode == CancelMode::Honoured, terminator);
}

void EventLoopWaiter::wake() {
    if (current_)
        current_->quit();
}

Waiter::Wake EventLoopWaiter::wait(Millis deadline, bool honourCancel,
                                   std::optional<std::uint8_t> terminator) {
    std::unique_ptr<Sleep> sleep = spare_ ? std::move(spare_) : std::make_unique<Sleep>(transport_);
    sleep->prepare(terminator);
    Sleep* const outer = current_;
    current_ = sleep.get();
    const auto finish = [&](Wake wake) {
        current_ = outer;
        if (!spare_)
            spare_ = std::move(sleep);
        return wake;
    };
    for (;;) {
        if (transport_.lost())
            return finish(Wake::Cancel);
        if (sleep->ready())
            return finish(Wake::Data);
        if (honourCancel && cancelProbe_ && cancelProbe_())
            return finish(Wake::Cancel);
        const Millis left = deadline - now();
        if (left <= Millis{0})
            return finish(Wake::Deadline);
        sleep->sleep(left);
    }
}

} // namespace rq7::device
