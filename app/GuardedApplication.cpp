#include "app/GuardedApplication.h"

#include <cstdio>
#include <exception>

namespace rq7::app {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(error.what());
    } catch (...) {
        report("?");
    }
    return false;
}

void GuardedApplication::report(const std::string& what) {
    // A failure while the report's own box is up goes to stderr only.
    if (!report_ || reporting_) {
        std::fprintf(stderr, "rq7-init: %s\n", what.c_str());
        return;
    }
    reporting_ = true;
    try {
        report_(what);
    } catch (...) {
        std::fprintf(stderr, "rq7-init: %s\n", what.c_str());
    }
    reporting_ = false;
}

} // namespace rq7::app
