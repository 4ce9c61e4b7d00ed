#pragma once
// A pseudo-terminal whose slave side plays the device's serial port. The
// simulator keeps a slave descriptor of its own open, so the master does
// not fail with EIO when a client closes the port: several client sessions
// can come and go.

#include <string>

namespace rq7::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair, raw mode, non-blocking master. False with the reason.
    bool open(std::string& error);
    const std::string& slavePath() const { return slavePath_; }
    int master() const { return master_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace rq7::sim
