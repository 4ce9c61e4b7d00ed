#pragma once
// rq7-sim's event loop: bytes from the pseudo-terminal go onto the simulated
// line, reply bytes come off it when their time has come. Sleeps in ppoll
// until a byte arrives, the next byte is due or a signal comes.

#include "simulator/DeviceLine.h"

#include <csignal>
#include <iosfwd>

namespace rq7::sim {

// Runs until `stop` becomes non-zero (set by a signal handler; the signals
// must be blocked outside the loop's wait, given as `waitMask`).
// Returns false on an I/O error, after writing it to `log`.
bool runSimLoop(int master, DeviceLine& line, const volatile std::sig_atomic_t& stop,
                const sigset_t& waitMask, bool verbose, std::ostream& log);

} // namespace rq7::sim
