#pragma once
// rq7-sim's event loop: bytes from the pseudo-terminal go onto the simulated
// line, reply bytes come off it when their time has come. Sleeps in ppoll
// until a byte arrives, the next byte is due or a signal comes.

#include "simulator/DeviceLine.h"

#include <csignal>
#include <iosfwd>

namespace rq7::sim {

// How punctually reply bytes were handed to the terminal.
struct LoopStats {
    unsigned long writes = 0;    // write calls carrying reply bytes
    unsigned long lostBytes = 0; // dropped because nobody read the port
    Micros worstLateness{0};     // longest delay past a byte's due time
    Micros totalLateness{0};     // summed over the first byte of each write
};

// Runs until `stop` becomes non-zero (set by a signal handler; the signals
// must be blocked outside the loop's wait, given as `waitMask`).
// Returns false on an I/O error, after writing it to `log`.
bool runSimLoop(int master, DeviceLine& line, const volatile std::sig_atomic_t& stop,
                const sigset_t& waitMask, bool verbose, std::ostream& log, LoopStats& stats);

} // namespace rq7::sim
