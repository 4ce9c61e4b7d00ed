#pragma once
// rq7-init's command line. Every option is declared in CommandLine.cpp
// (addOptions), so a new option is one entry there plus its use in main.

#include <QString>
#include <QStringList>

namespace rq7::app {

struct StartRequest {
    enum class Action {
        Run,          // open the window
        PrintHelp,    // print `text` to standard output and end with 0
        PrintVersion, // the same
        Refuse        // print `text` to standard error and end with 2
    };
    Action action = Action::Run;
    QString text;
    // --trace FILE: where the serial traffic is appended ("" for none).
    QString trace;
    // The settings file to open once the window is up ("" for none).
    QString file = {};
};

// Decides what the arguments (program name first) ask for. Before
// QApplication exists the arguments still hold Qt's own options
// (-platform, -style ...), which are not refused then; afterwards Qt has
// taken them out and anything not understood is refused.
StartRequest ParseCommandLine(const QStringList& arguments, bool qtOptionsRemoved);

} // namespace rq7::app
