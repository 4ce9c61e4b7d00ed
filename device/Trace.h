#pragma once
// A record of the serial traffic for bug reports: a transport and a waiter
// that pass everything through to the real ones and append one line per
// frame to a text file:
//
//     12.345 > 04 30 30 30 30 C5 0D
//
// seconds since the port was opened (milliseconds shown), the direction
// (">" sent, "<" received, "!" received but thrown away, with the reason in
// brackets) and the bytes in upper-case hex. Opening, closing, time-outs and
// a lost port are lines of their own. Each line is flushed as written, so a
// trace survives a crash; nothing waits on the file otherwise. The file is
// opened without blocking and only a regular file is taken (a FIFO without
// a reader would hold the program for good); a line that cannot be written
// is reported once, and the transfer goes on.

#include "device/Transport.h"
#include "device/Waiter.h"

#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace rq7::device {

// The environment variable naming a trace file when no option does.
inline constexpr const char* kTraceVariable = "RQ7_TRACE";

class TraceTransport : public Transport {
public:
    // `clock` gives the times; `out` receives the lines.
    TraceTransport(Transport& inner, const Waiter& clock, std::ostream& out);

    bool open(const std::string& portName, std::string& reason) override;
    void close() override;
    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const Bytes& bytes) override;
    Bytes readAvailable() override;
    void discardInput() override;
    std::uint64_t receivedCount() const override { return inner_.receivedCount(); }
    bool lost() const override { return inner_.lost(); }

    Transport& inner() { return inner_; }
    // A line about the link rather than about bytes ("timeout", "lost").
    void note(const std::string& text);
    // Called once, at the first line `out` does not take.
    void onWriteFailure(std::function<void()> report) { writeFailed_ = std::move(report); }

private:
    void line(char direction, const Bytes& bytes, const std::string& reason = {});
    // Received bytes not yet ended by a CR, as thrown away.
    void dropPending(const std::string& reason);

    Transport& inner_;
    const Waiter& clock_;
    std::ostream& out_;
    Millis openedAt_;
    Bytes pending_;
    std::function<void()> writeFailed_;
    bool failed_ = false;
};

// Waits through the real waiter on the real transport and notes the waits
// that end without input.
class TraceWaiter : public Waiter {
public:
    TraceWaiter(Waiter& inner, TraceTransport& transport) : inner_(inner), transport_(transport) {}

    Millis now() const override { return inner_.now(); }
    Wake waitUntil(Transport& transport, Millis deadline) override;
    Wake waitIgnoringCancel(Transport& transport, Millis deadline) override;
    Wake waitForTerminator(Transport& transport, std::uint8_t terminator, Millis deadline,
                           CancelMode mode) override;

private:
    Wake noted(Wake wake);

    Waiter& inner_;
    TraceTransport& transport_;
    bool lostNoted_ = false;
};

// A stream buffer that appends to a file descriptor and remembers why the
// last write failed.
class FileAppendBuffer : public std::streambuf {
public:
    explicit FileAppendBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
    ~FileAppendBuffer() override;
    FileAppendBuffer(const FileAppendBuffer&) = delete;
    FileAppendBuffer& operator=(const FileAppendBuffer&) = delete;
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    int fd_;
    int error_ = 0;
    char buffer_[512];
};

// A trace file with its transport and waiter.
class Trace {
public:
    // Appends to `path`; check ok() and error().
    Trace(const std::string& path, Transport& transport, Waiter& waiter);
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    bool ok() const { return buffer_ != nullptr; }
    const std::string& error() const { return error_; }
    Transport& transport() { return transport_; }
    Waiter& waiter() { return waiter_; }
    // Called once with "<path>: <reason>" when a line cannot be written.
    void onWriteError(std::function<void(const std::string&)> report);

private:
    std::string path_;
    std::unique_ptr<FileAppendBuffer> buffer_;
    std::ostream file_;
    std::string error_;
    TraceTransport transport_;
    TraceWaiter waiter_;
};

// The trace file to use: `option` when given, else the environment
// variable's value, else "".
std::string TracePath(const std::string& option);

} // namespace rq7::device
