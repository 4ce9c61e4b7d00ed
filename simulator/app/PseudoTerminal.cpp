#include "simulator/app/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace rq7::sim {

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

static bool fail(std::string& error, const char* step) {
    error = std::string(step) + ": " + std::strerror(errno);
    return false;
}

bool PseudoTerminal::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return fail(error, "posix_openpt");
    if (::grantpt(master_) != 0)
        return fail(error, "grantpt");
    if (::unlockpt(master_) != 0)
        return fail(error, "unlockpt");
    const char* name = ::ptsname(master_);
    if (!name)
        return fail(error, "ptsname");
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0)
        return fail(error, "open slave");
    // Raw: no echo, no line editing, no CR/LF translation, 8 bits. A client
    // sets its own mode too, but until then the line must not mangle bytes.
    termios mode{};
    if (::tcgetattr(slave_, &mode) != 0)
        return fail(error, "tcgetattr");
    ::cfmakeraw(&mode);
    ::cfsetispeed(&mode, B19200);
    ::cfsetospeed(&mode, B19200);
    if (::tcsetattr(slave_, TCSANOW, &mode) != 0)
        return fail(error, "tcsetattr");
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail(error, "fcntl");
    return true;
}

} // namespace rq7::sim
