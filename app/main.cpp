// rq7-init: the configuration program. Creates the program's one language
// object, wires the real ports into the main window and runs the event loop.

#include "app/CommandLine.h"
#include "app/GuardedApplication.h"
#include "app/ProgramIcon.h"
#include "device/PortDiagnosis.h"
#include "device/Trace.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "languages/clsLanguage.h"
#include "operations/Backups.h"
#include "operations/InstallationLog.h"
#include "rq7/Version.h"
#include "settings/EepromImage.h"
#include "ui/dialogs/MessageBoxPrompter.h"
#include "ui/dialogs/QtFileDialog.h"
#include "ui/language/LanguageStartup.h"
#include "ui/language/QtSettingsStore.h"
#include "ui/language/QtTranslations.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/language/choice/LanguageChoice.h"
#include "ui/main/Hlavni.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#ifndef RQ7_INSTALLED_LANG_DIR
#error "the build passes RQ7_INSTALLED_LANG_DIR, the language folder relative to the program's"
#endif
#if !defined(RQ7_INSTALLED_DOC_DIR) || !defined(RQ7_APP_ID)
#error "the build passes RQ7_INSTALLED_DOC_DIR (relative to the program) and RQ7_APP_ID"
#endif

namespace {

bool hasDisplay(const QStringList& arguments) {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM") ||
           arguments.contains(QStringLiteral("-platform")) ||
           arguments.contains(QStringLiteral("--platform"));
}

// Prints what the command line asked for; the exit status, or nothing when
// the program goes on.
std::optional<int> answerCommandLine(const rq7::app::StartRequest& request) {
    using Action = rq7::app::StartRequest::Action;
    switch (request.action) {
    case Action::Run:
        return std::nullopt;
    case Action::PrintHelp:
    case Action::PrintVersion:
        std::fputs(qPrintable(request.text), stdout);
        return 0;
    case Action::Refuse:
        std::fprintf(stderr, "rq7-init: %s\nTry 'rq7-init --help'.\n", qPrintable(request.text));
        return 2;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --help and --version need no display; Qt's own options are only known
    // to be Qt's once QApplication has taken them out.
    const bool display = hasDisplay(arguments);
    if (const auto status = answerCommandLine(rq7::app::ParseCommandLine(arguments, !display)))
        return *status;
    if (!display) {
        std::fputs("rq7-init is a desktop program and there is no display here (neither DISPLAY\n"
                   "nor WAYLAND_DISPLAY is set). Run it from a desktop session, or give it a\n"
                   "virtual display:\n"
                   "    xvfb-run -a rq7-init\n",
                   stderr);
        return 1;
    }
    // The language object comes first and stays to the end: every window
    // and every message reads its texts through it.
    rq7::clsLanguage language;
    const rq7::Texts texts(&language);

    rq7::app::GuardedApplication app(argc, argv);
    const rq7::app::StartRequest request =
        rq7::app::ParseCommandLine(QApplication::arguments(), true);
    if (const auto status = answerCommandLine(request))
        return *status;
    QApplication::setApplicationName(QStringLiteral("RQ7 Init"));
    QApplication::setApplicationVersion(QString::fromLatin1(rq7::kProgramVersion));
    QApplication::setWindowIcon(rq7::app::ProgramIcon());
    // Docks and task bars tie the window to the desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(RQ7_APP_ID));
    const std::filesystem::path programDir =
        QDir(QApplication::applicationDirPath()).path().toStdString();
    // Beside the program first (a build folder), else the installed folder.
    const std::filesystem::path languageDir = rq7::LanguageDirectory(
        {programDir, (programDir / RQ7_INSTALLED_LANG_DIR).lexically_normal()});

    rq7::ui::QtSettingsStore store;
    rq7::ui::QtTranslations toolkitTexts;
    rq7::ui::LanguageSession session{language, texts, store, languageDir, &toolkitTexts};
    auto image = std::make_unique<rq7::EepromImage>(); // 64 KiB: not on the stack
    rq7::ui::MessageBoxPrompter prompter;
    app.setReporter([&prompter, &texts](const std::string& what) {
        prompter.ask(
            {"msg080", rq7::device::FillIn(texts.get("msg080"), {what}), rq7::Icon::Critical});
    });
    rq7::ui::QtFileDialog fileDialog(nullptr, true, &store); // remembers the last folder
    rq7::MainWindowPorts ports{prompter, fileDialog, texts, *image, programDir};
    ports.language = rq7::ui::languageHooks(session);
    ports.settingsStore = &store;
    ports.backupFolder = rq7::DefaultBackupFolder();
    ports.logFolder = rq7::DefaultLogFolder();
    const std::filesystem::path manual =
        (programDir / RQ7_INSTALLED_DOC_DIR / "README.md").lexically_normal();
    if (std::filesystem::is_regular_file(manual))
        ports.manual = manual;
    // The serial port and the wait for the device's replies, wired here
    // only; Storno wakes the wait at once.
    rq7::device::SerialTransport serialPort;
    rq7::device::EventLoopWaiter waiter(serialPort);
    serialPort.setTexts(texts);
    ports.device.transport = &serialPort;
    ports.device.waiter = &waiter;
    std::unique_ptr<rq7::device::Trace> trace;
    const std::string tracePath = rq7::device::TracePath(request.trace.toStdString());
    if (!tracePath.empty()) {
        trace = std::make_unique<rq7::device::Trace>(tracePath, serialPort, waiter);
        if (!trace->ok()) {
            std::fprintf(stderr, "rq7-init: trace: %s\n", trace->error().c_str());
            return 1;
        }
        ports.device.transport = &trace->transport();
        ports.device.waiter = &trace->waiter();
    }
    ports.device.setCancelProbe = [&waiter](std::function<bool()> probe) {
        waiter.setCancelProbe(std::move(probe));
    };
    ports.device.wake = [&waiter] { waiter.wake(); };
    QMetaObject::Connection lost;
    ports.device.onConnectionLost = [&serialPort, &lost](std::function<void()> react) {
        QObject::disconnect(lost);
        if (react)
            lost = QObject::connect(&serialPort, &rq7::device::EventTransport::connectionLost,
                                    &serialPort, std::move(react), Qt::QueuedConnection);
    };
    rq7::ui::Hlavni window(ports);
    if (trace)
        trace->onWriteError([&window, &texts](const std::string& what) {
            std::fprintf(stderr, "rq7-init: trace: %s\n", what.c_str());
            window.status().showNote(rq7::device::FillIn(texts.get("msg088"), {what}));
        });
    prompter.setOwner(&window);
    fileDialog.setOwner(&window);
    window.show();
    // The file named on the command line, once the window is up, with the
    // load's usual checks and messages.
    if (!request.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &request] {
            window.openFile(
                QDir::cleanPath(QDir::current().absoluteFilePath(request.file)).toStdString());
        });
    const int status = QApplication::exec();
    app.setReporter({}); // the prompter ends before the application
    return status;
}
