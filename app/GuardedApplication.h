#pragma once
// The program's application object. An exception that escapes an event
// handler would end the program with the user's unsaved settings; instead
// it is reported (msg080 with its text) and the event counts as unhandled.

#include <QApplication>
#include <functional>
#include <string>

namespace rq7::app {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // Shows what went wrong; until set, it goes to stderr.
    void setReporter(std::function<void(const std::string& what)> report) {
        report_ = std::move(report);
    }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const std::string& what);

    std::function<void(const std::string&)> report_;
    bool reporting_ = false;
};

} // namespace rq7::app
