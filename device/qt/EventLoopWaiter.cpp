#include "device/qt/EventLoopWaiter.h"

#include "device/qt/EventTransport.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <stdexcept>

namespace rq7::device {

// One nested event loop, its deadline timer and what it waits for. The loop
// is left only when the wait's condition holds (or the timer or wake() ends
// it), so bytes that do not complete a frame never reach the caller.
class EventLoopWaiter::Sleep {
public:
    Sleep() {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &loop_, &QEventLoop::quit);
    }
    ~Sleep() {
        QObject::disconnect(input_);
        QObject::disconnect(lost_);
    }
    Sleep(const Sleep&) = delete;
    Sleep& operator=(const Sleep&) = delete;

    void prepare(EventTransport* source, std::optional<std::uint8_t> terminator) {
        terminator_ = terminator;
        // Connected once per transport; a destroyed transport clears source_.
        if (source_ != source) {
            QObject::disconnect(input_);
            QObject::disconnect(lost_);
            source_ = source;
            input_ = QObject::connect(source, &EventTransport::inputArrived, &loop_, [this] {
                if (loop_.isRunning() && ready())
                    loop_.quit();
            });
            lost_ = QObject::connect(source, &EventTransport::connectionLost, &loop_,
                                     &QEventLoop::quit);
        }
    }

    bool ready() const {
        return terminator_ ? source_->hasInputByte(*terminator_) : source_->hasInput();
    }

    void sleep(Millis left) {
        timer_.start(left);
        loop_.exec();
        timer_.stop();
    }

    void quit() { loop_.quit(); }

private:
    QEventLoop loop_;
    QTimer timer_;
    QPointer<EventTransport> source_;
    QMetaObject::Connection input_;
    QMetaObject::Connection lost_;
    std::optional<std::uint8_t> terminator_;
};

EventLoopWaiter::EventLoopWaiter(QObject* parent) : QObject(parent) {}

EventLoopWaiter::~EventLoopWaiter() = default;

Millis EventLoopWaiter::now() const {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

Waiter::Wake EventLoopWaiter::waitUntil(Transport& transport, Millis deadline) {
    return wait(transport, deadline, true, std::nullopt);
}

Waiter::Wake EventLoopWaiter::waitIgnoringCancel(Transport& transport, Millis deadline) {
    return wait(transport, deadline, false, std::nullopt);
}

Waiter::Wake EventLoopWaiter::waitForTerminator(Transport& transport, std::uint8_t terminator,
                                                Millis deadline, CancelMode mode) {
    return wait(transport, deadline, mode == CancelMode::Honoured, terminator);
}

void EventLoopWaiter::wake() {
    if (current_)
        current_->quit();
}

Waiter::Wake EventLoopWaiter::wait(Transport& transport, Millis deadline, bool honourCancel,
                                   std::optional<std::uint8_t> terminator) {
    auto* source = dynamic_cast<EventTransport*>(&transport);
    if (!source)
        throw std::logic_error("EventLoopWaiter needs an EventTransport");

    std::unique_ptr<Sleep> sleep = spare_ ? std::move(spare_) : std::make_unique<Sleep>();
    sleep->prepare(source, terminator);
    Sleep* const outer = current_;
    current_ = sleep.get();
    const auto finish = [&](Wake wake) {
        current_ = outer;
        if (!spare_)
            spare_ = std::move(sleep);
        return wake;
    };
    for (;;) {
        if (source->lost())
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
