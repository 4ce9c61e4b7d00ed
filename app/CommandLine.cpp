#include "app/CommandLine.h"

#include "rq7/Version.h"

#include <QCommandLineParser>

namespace rq7::app {

namespace {

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Configures RQ7 GSM alarm communicators over a serial cable."));
    // Declared here rather than with addHelpOption, which also offers
    // --help-all for Qt's own options.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QStringLiteral("Print this help and exit.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Print the version and exit.")});
    parser.addOption(
        {QStringLiteral("trace"),
         QStringLiteral("Append the serial traffic to FILE (also: the environment variable "
                        "RQ7_TRACE=FILE). One line per frame: seconds since the port was "
                        "opened, > sent, < received, ! thrown away (with the reason), and the "
                        "bytes in hex; opening, closing, time-outs and a lost port are lines "
                        "too."),
         QStringLiteral("FILE")});
}

} // namespace

StartRequest ParseCommandLine(const QStringList& arguments, bool qtOptionsRemoved) {
    QCommandLineParser parser;
    addOptions(parser);
    const bool understood = parser.parse(arguments);
    // --help and --version win over everything else, as they do elsewhere.
    if (parser.isSet(QStringLiteral("help")))
        // Before QApplication exists Qt cannot tell the program's name.
        return {StartRequest::Action::PrintHelp,
                parser.helpText().replace(QStringLiteral("<executable_name>"),
                                          QStringLiteral("rq7-init")),
                {}};
    if (parser.isSet(QStringLiteral("version")))
        return {StartRequest::Action::PrintVersion,
                QStringLiteral("rq7-init %1\n").arg(QLatin1String(kProgramVersion)),
                {}};
    if (!qtOptionsRemoved)
        return {};
    if (!understood)
        return {StartRequest::Action::Refuse, parser.errorText(), {}};
    if (!parser.positionalArguments().isEmpty())
        return {
            StartRequest::Action::Refuse,
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()),
            {}};
    StartRequest run;
    run.trace = parser.value(QStringLiteral("trace"));
    return run;
}

} // namespace rq7::app
