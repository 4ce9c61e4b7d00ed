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
    parser.addPositionalArgument(QStringLiteral("SETTINGS"),
                                 QStringLiteral("A settings file (.eep) to open at start."),
                                 QStringLiteral("[SETTINGS]"));
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
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return {StartRequest::Action::Refuse,
                QStringLiteral("Unexpected argument '%1': one settings file at a time.")
                    .arg(files.at(1)),
                {}};
    StartRequest run;
    run.trace = parser.value(QStringLiteral("trace"));
    if (!files.isEmpty())
        run.file = files.front();
    return run;
}

} // namespace rq7::app
