#include "tests/support/EventLoop.h"

#include <QCoreApplication>

namespace rq7::test {

void settle() {
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace rq7::test
