#include "device/qt/EventLoopWaiter.h"

#include "device/qt/EventTransport.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <stdexcept>

namespace rq7::device {

EventLoopWaiter::EventLoopWaiter(QObject* parent) : QObject(parent) {}

Millis EventLoopWaiter::now() const {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

Waiter::Wake EventLoopWaiter::waitUntil(Transport& transport, Millis deadline) {
    return wait(transport, deadline, true);
}

Waiter::Wake EventLoopWaiter::waitIgnoringCancel(Transport& transport, Millis deadline) {
    return wait(transport, deadline, false);
}

void EventLoopWaiter::wake() {
    if (loop_)
        loop_->quit();
}

Waiter::Wake EventLoopWaiter::wait(Transport& transport, Millis deadline, bool honourCancel) {
    auto* source = dynamic_cast<EventTransport*>(&transport);
    if (!source)
        throw std::logic_error("EventLoopWaiter needs an EventTransport");
    for (;;) {
        if (source->hasInput())
            return Wake::Data;
        if (honourCancel && cancelProbe_ && cancelProbe_())
            return Wake::Cancel;
        const Millis left = deadline - now();
        if (left <= Millis{0})
            return Wake::Deadline;

        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(source, &EventTransport::inputArrived, &loop, &QEventLoop::quit);
        timer.start(std::chrono::milliseconds(left));
        QEventLoop* outer = loop_;
        loop_ = &loop;
        loop.exec();
        loop_ = outer;
    }
}

} // namespace rq7::device
