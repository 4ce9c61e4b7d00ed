#include "device/Trace.h"

#include "device/Frame.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace rq7::device {

namespace {

bool ValidFrame(const Bytes& frame) {
    const std::size_t n = frame.size();
    return n >= 2 && FrameChecksum(frame.data(), n - 2) == frame[n - 2];
}

} // namespace

TraceTransport::TraceTransport(Transport& inner, const Waiter& clock, std::ostream& out)
    : inner_(inner), clock_(clock), out_(out), openedAt_(clock.now()) {}

void TraceTransport::line(char direction, const Bytes& bytes, const std::string& reason) {
    char stamp[32];
    const long long ms = (clock_.now() - openedAt_).count();
    std::snprintf(stamp, sizeof stamp, "%5lld.%03lld ", ms / 1000, ms % 1000);
    std::string text = stamp;
    text += direction;
    static const char kDigits[] = "0123456789ABCDEF";
    for (std::uint8_t byte : bytes) {
        text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    if (!reason.empty())
        text += (bytes.empty() ? " " : "  (") + reason + (bytes.empty() ? "" : ")");
    out_ << text << '\n' << std::flush;
    if (!out_ && !failed_) {
        failed_ = true;
        if (writeFailed_)
            writeFailed_();
    }
}

void TraceTransport::note(const std::string& text) {
    line('-', {}, text);
}

void TraceTransport::dropPending(const std::string& reason) {
    if (!pending_.empty())
        line('!', pending_, reason);
    pending_.clear();
}

bool TraceTransport::open(const std::string& portName, std::string& reason) {
    pending_.clear();
    openedAt_ = clock_.now();
    const bool opened = inner_.open(portName, reason);
    if (opened) {
        note("open " + portName);
    } else {
        std::string first = reason.substr(0, reason.find('\n'));
        note("open " + portName + " failed: " + first);
    }
    return opened;
}

void TraceTransport::close() {
    const bool wasOpen = inner_.isOpen();
    dropPending("incomplete");
    inner_.close();
    if (wasOpen)
        note("close");
}

bool TraceTransport::write(const Bytes& bytes) {
    dropPending("incomplete");
    line('>', bytes);
    const bool written = inner_.write(bytes);
    if (!written)
        note("write failed");
    return written;
}

Bytes TraceTransport::readAvailable() {
    Bytes bytes = inner_.readAvailable();
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    for (auto end = std::find(pending_.begin(), pending_.end(), kCarriageReturn);
         end != pending_.end();
         end = std::find(pending_.begin(), pending_.end(), kCarriageReturn)) {
        const Bytes frame(pending_.begin(), end + 1);
        pending_.erase(pending_.begin(), end + 1);
        if (ValidFrame(frame))
            line('<', frame);
        else
            line('!', frame, "checksum");
    }
    return bytes;
}

void TraceTransport::discardInput() {
    const Bytes waiting = inner_.readAvailable();
    pending_.insert(pending_.end(), waiting.begin(), waiting.end());
    inner_.discardInput();
    dropPending("stale");
}

Waiter::Wake TraceWaiter::noted(Wake wake) {
    if (transport_.lost()) {
        if (!lostNoted_)
            transport_.note("lost");
        lostNoted_ = true;
        return wake;
    }
    lostNoted_ = false;
    if (wake == Wake::Deadline)
        transport_.note("timeout");
    return wake;
}

Waiter::Wake TraceWaiter::waitUntil(Transport&, Millis deadline) {
    return noted(inner_.waitUntil(transport_.inner(), deadline));
}

Waiter::Wake TraceWaiter::waitIgnoringCancel(Transport&, Millis deadline) {
    return noted(inner_.waitIgnoringCancel(transport_.inner(), deadline));
}

Waiter::Wake TraceWaiter::waitForTerminator(Transport&, std::uint8_t terminator, Millis deadline,
                                            CancelMode mode) {
    return noted(inner_.waitForTerminator(transport_.inner(), terminator, deadline, mode));
}

FileAppendBuffer::~FileAppendBuffer() {
    sync();
    if (fd_ >= 0)
        ::close(fd_);
}

FileAppendBuffer::int_type FileAppendBuffer::overflow(int_type c) {
    if (sync() != 0)
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FileAppendBuffer::sync() {
    const char* from = pbase();
    const char* to = pptr();
    while (from < to) {
        const auto n = ::write(fd_, from, static_cast<unsigned>(to - from));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : ENOSPC;
            break;
        }
        from += n;
    }
    // What could not be written is dropped: the trace never holds the link up.
    setp(buffer_, buffer_ + sizeof buffer_);
    return from < to ? -1 : 0;
}

namespace {

// The trace file, opened without blocking; -1 with `error` set when it
// cannot be opened or is no regular file.
int openTraceFile(const std::string& path, std::string& error) {
#ifndef _WIN32
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
#else
    const int fd = ::_open(path.c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY, 0644);
#endif
    if (fd < 0) {
        // A FIFO without a reader refuses a writer that will not wait.
        error = path + ": " + (errno == ENXIO ? "not a regular file" : std::strerror(errno));
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || (info.st_mode & S_IFMT) != S_IFREG) {
        ::close(fd);
        error = path + ": not a regular file";
        return -1;
    }
    return fd;
}

} // namespace

Trace::Trace(const std::string& path, Transport& transport, Waiter& waiter)
    : path_(path), file_(nullptr), transport_(transport, waiter, file_),
      waiter_(waiter, transport_) {
    const int fd = openTraceFile(path, error_);
    if (fd < 0) {
        file_.setstate(std::ios::badbit);
        return;
    }
    buffer_ = std::make_unique<FileAppendBuffer>(fd);
    file_.rdbuf(buffer_.get());
}

Trace::~Trace() {
    file_.rdbuf(nullptr);
}

void Trace::onWriteError(std::function<void(const std::string&)> report) {
    transport_.onWriteFailure([this, report = std::move(report)] {
        if (report)
            report(path_ + ": " + std::strerror(buffer_ ? buffer_->error() : EBADF));
    });
}

std::string TracePath(const std::string& option) {
    if (!option.empty())
        return option;
    const char* value = std::getenv(kTraceVariable);
    return value ? value : "";
}

} // namespace rq7::device
