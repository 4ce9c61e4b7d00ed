#pragma once
// What the rq7ctl device commands share: the --port, --wait and --trace
// options, the
// serial port with its event loop (a QCoreApplication made here, only for
// these commands), messages and progress on stderr, Ctrl-C as Storno, and
// activation first, deactivation last.

#include "device/DeviceLink.h"
#include "device/Trace.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "operations/EepromTransfer.h"
#include "ports/Prompter.h"
#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCoreApplication;
class QSocketNotifier;

namespace rq7::cli {

struct DeviceOptions {
    std::string port;
    // How long the programming-mode request is repeated (--wait SECONDS,
    // default 60; 0 means until Ctrl-C).
    std::optional<device::Millis> answerWait = device::Millis{60000};
    // The serial traffic trace file (--trace FILE); "" for none.
    std::string trace;
};

// Takes "--technician NAME" (or --technician=NAME) out of args; an error
// text for a missing or empty name.
std::optional<std::string> takeTechnicianOption(std::vector<std::string>& args, std::string& name);

// Takes --port DEV, --wait SECONDS and --trace FILE (also written
// --port=DEV) out of args.
// Returns an error text when one is missing or malformed (--port only
// when `portRequired`).
std::optional<std::string> takeDeviceOptions(std::vector<std::string>& args, DeviceOptions& options,
                                             bool portRequired = true);

// The user pressed Ctrl-C (the Storno of every device command).
bool InterruptRequested();

// Message boxes as lines on a stream. A question is answered Yes, which is
// what lets a failed deactivation still close the port at the end.
class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(std::ostream& err) : err_(err) {}
    Answer ask(const Message& message) override;

private:
    std::ostream& err_;
};

// The status window as lines on a stream, with a progress bar when the
// stream is a terminal. Ctrl-C is the Storno; a status text never clears it
// (the command ends on it).
class ConsoleStatus : public StatusSink {
public:
    ConsoleStatus(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}
    void showStatus(const std::string& text) override;
    void hideStatus() override;
    void progress(int done, int total) override;
    // The seconds on a terminal line of their own; the hint once, when it
    // first appears.
    void showWaiting(const std::string& elapsed, const std::string& hint) override;
    bool cancelRequested() const override;

private:
    void endBar();

    std::ostream& err_;
    bool terminal_;
    bool barShown_ = false;
    std::string hintShown_;
};

class DeviceSession {
public:
    DeviceSession(const DeviceOptions& options, std::ostream& err);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // The trace file could not be opened (the reason is on stderr).
    bool traceFailed() const { return trace_ && !trace_->ok(); }
    // Opens the port and activates (msg026 on stderr, then the requests);
    // says so when the device did not answer within --wait.
    device::ActivationResult activate();
    // The activation options of --wait.
    device::ActivationOptions activationOptions() const;
    // msg084 when the device did not answer within --wait.
    void explainActivation(const device::ActivationResult& result);
    // A deactivation that was not confirmed: says so, and the exit status
    // becomes kExitLeftActive.
    void reportLeftActive();
    // Deactivates when a device is active; a Ctrl-C pressed before does not
    // stop it. When the device does not confirm, msg033 is answered Yes (the
    // port is closed) and a line on stderr says the device may still be in
    // programming mode.
    void finish();
    // `status`, or kExitLeftActive when a deactivation was not confirmed.
    int exitStatus(int status) const;
    // For a command that needs an active device: opens the trace and
    // activates. Returns the exit status to stop with (no trace file, or no
    // active device, the port then closed), or none with `activation` set.
    std::optional<int> activateForTransfer(device::ActivationResult& activation);

    device::DeviceLink& link() { return *link_; }
    Prompter& prompter() { return prompter_; }
    StatusSink& status() { return status_; }
    const Texts& texts() const { return texts_; }
    bool interrupted() const;

private:
    DeviceOptions options_;
    std::unique_ptr<QCoreApplication> app_;
    std::ostream& err_;
    bool leftActive_ = false;
    device::SerialTransport port_;
    device::EventLoopWaiter waiter_;
    ConsolePrompter prompter_;
    ConsoleStatus status_;
    Texts texts_;
    std::unique_ptr<device::Trace> trace_;
    std::unique_ptr<device::DeviceLink> link_;
    std::unique_ptr<QSocketNotifier> interruptNotifier_;
};

// Exit status of an activation: 0 for "Aktivni", kExitConnectionLost when
// the port went away, else 1.
int activationExitStatus(const device::ActivationResult& result);

// The Qt application object the serial port needs, made unless one exists
// (then null).
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// A read of the device's settings that brought no image: its message on
// `err` and its exit status (kExitOk for a read image, which says nothing).
// `failed` is the status of a read that failed on the line.
int imageReadExitStatus(ImageRead outcome, const Texts& texts, std::ostream& err, int failed);

} // namespace rq7::cli
