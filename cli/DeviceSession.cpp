#include "cli/DeviceSession.h"

#include "cli/Command.h"
#include "device/PortDiagnosis.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <iostream>
#include <ostream>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rq7::cli {

namespace {

// A signal handler can only reach the program through a flag and a pipe:
// the flag is the Storno, the pipe wakes the event loop that waits for the
// device.
volatile std::sig_atomic_t interruptFlag = 0;
int interruptPipe[2] = {-1, -1};

extern "C" void onInterrupt(int) {
    interruptFlag = 1;
#ifdef Q_OS_UNIX
    const char byte = 1;
    if (::write(interruptPipe[1], &byte, 1) < 0) {
        // Nothing to do: the flag alone is seen at the next wake.
    }
#endif
}

std::string withoutCarriageReturns(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

bool parseSeconds(const std::string& text, long& seconds) {
    if (text.empty() || text.size() > 6)
        return false;
    seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        seconds = seconds * 10 + (c - '0');
    }
    return true;
}

} // namespace

bool InterruptRequested() {
    return interruptFlag != 0;
}

std::optional<std::string> takeDeviceOptions(std::vector<std::string>& args, DeviceOptions& options,
                                             bool portRequired) {
    std::vector<std::string> rest;
    bool havePort = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        const std::size_t eq = name.find('=');
        if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (name != "--port" && name != "--wait" && name != "--trace") {
            rest.push_back(args[i]);
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size())
                return name + " needs a value";
            value = args[++i];
        }
        if (name == "--port") {
            if (value->empty())
                return std::string("--port needs a value");
            options.port = *value;
            havePort = true;
        } else if (name == "--trace") {
            if (value->empty())
                return std::string("--trace needs a file");
            options.trace = *value;
        } else {
            long seconds = 0;
            if (!parseSeconds(*value, seconds))
                return "--wait takes whole seconds, not '" + *value + "'";
            if (seconds == 0)
                options.answerWait.reset();
            else
                options.answerWait = device::Millis{seconds * 1000};
        }
    }
    if (!havePort && portRequired)
        return std::string("--port DEV is required (\"COM 1\" … \"COM 4\" or a device path)");
    args = rest;
    return std::nullopt;
}

std::optional<std::string> takeTechnicianOption(std::vector<std::string>& args, std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string option = "--technician";
        if (args[i] == option) {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return std::string("--technician needs a name");
            name = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
            return std::nullopt;
        }
        if (args[i].rfind(option + "=", 0) == 0) {
            name = args[i].substr(option.size() + 1);
            args.erase(args.begin() + static_cast<long>(i));
            if (name.empty())
                return std::string("--technician needs a name");
            return std::nullopt;
        }
    }
    return std::nullopt;
}

Answer ConsolePrompter::ask(const Message& message) {
    err_ << withoutCarriageReturns(message.text) << '\n';
    if (message.buttons == Buttons::Ok)
        return Answer::Ok;
    err_ << "  -> Yes\n";
    return Answer::Yes;
}

void ConsoleStatus::showStatus(const std::string& text) {
    endBar();
    err_ << text << '\n';
}

void ConsoleStatus::hideStatus() {
    endBar();
}

void ConsoleStatus::progress(int done, int total) {
    if (!terminal_ || total <= 0)
        return;
    constexpr int kWidth = 40;
    const int filled = done >= total ? kWidth : done * kWidth / total;
    err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << done << '/'
         << total << std::flush;
    barShown_ = true;
}

void ConsoleStatus::showWaiting(const std::string& elapsed, const std::string& hint) {
    if (terminal_) {
        err_ << '\r' << elapsed << std::flush;
        barShown_ = true;
    }
    if (!hint.empty() && hint != hintShown_) {
        endBar();
        err_ << hint << '\n';
        hintShown_ = hint;
    }
}

void ConsoleStatus::endBar() {
    if (barShown_)
        err_ << '\n';
    barShown_ = false;
}

bool ConsoleStatus::cancelRequested() const {
    return interruptFlag != 0;
}

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "rq7ctl";
    static char* argv[] = {name, nullptr};
    return QCoreApplication::instance() ? nullptr : std::make_unique<QCoreApplication>(argc, argv);
}

DeviceSession::DeviceSession(const DeviceOptions& options, std::ostream& err)
    : options_(options), app_(EnsureCoreApplication()), err_(err), waiter_(port_), prompter_(err),
      status_(err,
#ifdef Q_OS_UNIX
              &err == &std::cerr && ::isatty(2) == 1
#else
              false
#endif
      ) {
    port_.setTexts(texts_);
    device::Transport* transport = &port_;
    device::Waiter* waiter = &waiter_;
    if (const std::string path = device::TracePath(options.trace); !path.empty()) {
        trace_ = std::make_unique<device::Trace>(path, port_, waiter_);
        if (trace_->ok()) {
            trace_->onWriteError([this](const std::string& what) {
                err_ << "rq7ctl: trace: " << what << " (the transfer goes on without it)\n";
            });
            transport = &trace_->transport();
            waiter = &trace_->waiter();
        } else {
            err << "rq7ctl: trace: " << trace_->error() << '\n';
        }
    }
    link_ = std::make_unique<device::DeviceLink>(*transport, *waiter, prompter_, status_, texts_);
    waiter_.setCancelProbe([] { return interruptFlag != 0; });
    interruptFlag = 0;
#ifdef Q_OS_UNIX
    if (interruptPipe[0] < 0 && ::pipe(interruptPipe) == 0) {
        ::fcntl(interruptPipe[0], F_SETFL, O_NONBLOCK);
        ::fcntl(interruptPipe[1], F_SETFL, O_NONBLOCK);
    }
    if (interruptPipe[0] >= 0) {
        interruptNotifier_ =
            std::make_unique<QSocketNotifier>(interruptPipe[0], QSocketNotifier::Read);
        QObject::connect(interruptNotifier_.get(), &QSocketNotifier::activated, &waiter_, [this] {
            char drain[16];
            while (::read(interruptPipe[0], drain, sizeof drain) > 0) {
            }
            waiter_.wake();
        });
    }
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // A second Ctrl-C ends the program at once.
    action.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &action, nullptr);
#else
    std::signal(SIGINT, onInterrupt);
#endif
}

DeviceSession::~DeviceSession() {
    finish();
    std::signal(SIGINT, SIG_DFL);
    interruptNotifier_.reset();
}

bool DeviceSession::interrupted() const {
    return interruptFlag != 0;
}

device::ActivationOptions DeviceSession::activationOptions() const {
    device::ActivationOptions options;
    options.answerWait = options_.answerWait;
    return options;
}

void DeviceSession::explainActivation(const device::ActivationResult& result) {
    if (result.outcome == device::ActivationOutcome::NoAnswer && options_.answerWait)
        prompter_.ask({"msg084",
                       device::FillIn(texts_.get("msg084"),
                                      {std::to_string(options_.answerWait->count() / 1000)}),
                       Icon::Critical, Buttons::Ok});
}

device::ActivationResult DeviceSession::activate() {
    device::ActivationResult result = link_->Activate(options_.port, activationOptions());
    explainActivation(result);
    return result;
}

void DeviceSession::reportLeftActive() {
    leftActive_ = true;
    err_ << "rq7ctl: the device did not confirm the end of programming mode and may still "
            "be in it; the port was closed anyway\n";
}

void DeviceSession::finish() {
    if (!device::IsActive(link_->state()))
        return;
    interruptFlag = 0;
    if (link_->Deactivate().outcome != device::DeactivationOutcome::Confirmed)
        reportLeftActive();
}

std::optional<int> DeviceSession::activateForTransfer(device::ActivationResult& activation) {
    if (traceFailed())
        return kExitBadInput;
    activation = activate();
    if (activation.state == device::ConnectionState::Aktivni)
        return std::nullopt;
    finish();
    return exitStatus(activationExitStatus(activation));
}

int DeviceSession::exitStatus(int status) const {
    return leftActive_ ? kExitLeftActive : status;
}

int activationExitStatus(const device::ActivationResult& result) {
    if (result.outcome == device::ActivationOutcome::ConnectionLost)
        return kExitConnectionLost;
    return result.state == device::ConnectionState::Aktivni ? kExitOk : kExitFailure;
}

int imageReadExitStatus(ImageRead outcome, const Texts& texts, std::ostream& err, int failed) {
    const auto say = [&](const char* key, int status) {
        err << texts.get(key) << '\n';
        return status;
    };
    switch (outcome) {
    case ImageRead::Read:
        return kExitOk;
    case ImageRead::Unprogrammed:
        return say("msg015", kExitUnprogrammed);
    case ImageRead::ConnectionLost:
        return say("msg070", kExitConnectionLost);
    case ImageRead::Cancelled:
        return say("msg012", failed);
    case ImageRead::PastEeprom:
        return say("msg100", failed);
    case ImageRead::OutOfOrder:
        return say("msg103", failed);
    case ImageRead::BlockFailed:
        break;
    }
    return say("msg011", failed);
}

} // namespace rq7::cli
