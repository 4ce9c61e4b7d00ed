// rq7-sim: a simulated device on a pseudo-terminal.

#include "rq7/Version.h"
#include "simulator/DeviceLine.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/app/EepFile.h"
#include "simulator/app/PseudoTerminal.h"
#include "simulator/app/SimLoop.h"
#include "simulator/app/SimOptions.h"

#include <csignal>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void onStopSignal(int) {
    stopRequested = 1;
}

} // namespace

int main(int argc, char** argv) {
    using namespace rq7::sim;
    SimOptions options;
    if (const auto problem = parseSimOptions({argv + 1, argv + argc}, options)) {
        std::cerr << "rq7-sim: " << *problem << "\nTry 'rq7-sim --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << simUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "rq7-sim " << rq7::kProgramVersion << '\n';
        return 0;
    }

    std::optional<SimulatedDevice> device;
    try {
        device.emplace(options.device);
        if (!options.eepromFile.empty()) {
            Bytes image;
            std::string error;
            switch (loadEepFile(options.eepromFile, image, error)) {
            case EepLoad::Loaded:
                device->loadEeprom(image);
                break;
            case EepLoad::Missing:
                std::cerr << "rq7-sim: " << options.eepromFile
                          << " does not exist yet; starting with a blank EEPROM\n";
                break;
            case EepLoad::Failed:
                std::cerr << "rq7-sim: " << error << '\n';
                return 2;
            }
        }
    } catch (const std::invalid_argument& e) {
        std::cerr << "rq7-sim: " << e.what() << '\n';
        return 2;
    }

    // SIGINT and SIGTERM are blocked except while the loop sleeps, so a stop
    // can never slip in between the check and the wait.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    PseudoTerminal terminal;
    std::string error;
    if (!terminal.open(error)) {
        std::cerr << "rq7-sim: " << error << '\n';
        return 1;
    }
    std::cout << terminal.slavePath() << std::endl;

    const DeviceProfile& p = device->config().profile;
    std::cerr << "rq7-sim: device " << std::hex << std::uppercase << std::setw(6)
              << std::setfill('0') << p.identification << std::dec << " version "
              << int{p.versionMajor} << '.' << int{p.versionMinor} << ", memory code "
              << int{p.memoryCode} << " (" << device->eeprom().size()
              << "-byte EEPROM), modem code " << int{p.modemCode} << ", on " << terminal.slavePath()
              << '\n';

#ifdef __linux__
    // Paced bytes are due every few hundred microseconds; the default timer
    // slack (50 us) would make each of them that much late.
    if (options.wireSpeed > 0)
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    DeviceLine line(*device, options.wireSpeed);
    LoopStats stats;
    const bool ok = runSimLoop(terminal.master(), line, stopRequested, waitMask, options.verbose,
                               std::cerr, stats);

    int status = ok ? 0 : 1;
    if (!options.eepromFile.empty()) {
        if (!saveEepFile(options.eepromFile, device->eeprom(), error)) {
            std::cerr << "rq7-sim: " << error << '\n';
            status = 1;
        }
    }
    if (options.verbose) {
        const auto& c = device->counters();
        std::cerr << "rq7-sim: ignored requests: " << c.badChecksum << " bad checksum, "
                  << c.malformed << " malformed, " << c.outOfRange << " out of range, "
                  << c.notProgramming << " outside programming mode, " << c.waitingForKey
                  << " before the key press\n";
    }
    if (stats.writes > 0)
        std::cerr << "rq7-sim: " << stats.writes << " writes of reply bytes, late past their due "
                  << "time by " << stats.totalLateness.count() / static_cast<long>(stats.writes)
                  << " us on average, " << stats.worstLateness.count() << " us at worst; "
                  << stats.lostBytes << " bytes lost\n";
    return status;
}
