#include "simulator/app/SimLoop.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iomanip>
#include <ostream>
#include <poll.h>
#include <unistd.h>

namespace rq7::sim {

namespace {

const char* commandName(std::uint8_t code) {
    switch (code) {
    case command::Programming:
        return "programming mode";
    case command::Identify:
        return "identification";
    case command::Hardware:
        return "hardware query";
    case command::ReadBlock:
        return "read block";
    case command::WriteBlock:
        return "write block";
    case command::EndProgramming:
        return "end of programming";
    default:
        return "?";
    }
}

void logJournal(SimulatedDevice& device, std::ostream& log) {
    for (const auto& e : device.journal()) {
        log << '[' << std::fixed << std::setprecision(6) << static_cast<double>(e.at.count()) / 1e6
            << "] " << commandName(e.command);
        if (e.command == command::ReadBlock || e.command == command::WriteBlock)
            log << " 0x" << std::hex << std::setw(4) << std::setfill('0') << e.address << std::dec
                << std::setfill(' ');
        static const std::pair<FaultSet, const char*> names[] = {
            {fault::Drop, "dropped"},    {fault::Corrupt, "bad checksum"},
            {fault::Late, "late"},       {fault::Short, "short"},
            {fault::Misread, "misread"}, {fault::BadWrite, "bad write"},
        };
        for (const auto& [bit, name] : names)
            if (e.faults & bit)
                log << " [" << name << ']';
        log << '\n';
    }
    device.clearJournal();
    log.flush();
}

} // namespace

bool runSimLoop(int master, DeviceLine& line, const volatile std::sig_atomic_t& stop,
                const sigset_t& waitMask, bool verbose, std::ostream& log, LoopStats& stats) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto now = [start] { return std::chrono::duration_cast<Micros>(Clock::now() - start); };
    line.device().setJournalEnabled(verbose);
    std::uint8_t buffer[4096];

    while (!stop) {
        const Micros writeTime = now();
        line.advance(writeTime);
        const auto firstDue = line.nextArrival();
        const Bytes due = line.takeArrived(writeTime);
        if (!due.empty()) {
            const Micros lateness = writeTime - *firstDue;
            ++stats.writes;
            stats.totalLateness += lateness;
            stats.worstLateness = std::max(stats.worstLateness, lateness);
            const ssize_t written = ::write(master, due.data(), due.size());
            if (written < 0 && errno != EAGAIN) {
                log << "rq7-sim: write: " << std::strerror(errno) << '\n';
                return false;
            }
            // The terminal's input queue is full when nobody reads the port;
            // like a real line, the device's bytes are then lost.
            const std::size_t kept = written < 0 ? 0 : static_cast<std::size_t>(written);
            if (kept < due.size()) {
                stats.lostBytes += due.size() - kept;
                if (verbose)
                    log << "rq7-sim: nobody reads the port, " << stats.lostBytes
                        << " reply bytes lost so far\n";
            }
        }
        if (verbose)
            logJournal(line.device(), log);

        timespec wait{};
        timespec* timeout = nullptr;
        if (const auto next = line.nextEvent()) {
            const auto left = std::max(Micros(0), *next - now());
            wait.tv_sec = static_cast<time_t>(left.count() / 1'000'000);
            wait.tv_nsec = static_cast<long>(left.count() % 1'000'000) * 1000;
            timeout = &wait;
        }
        pollfd port{master, POLLIN, 0};
        const int ready = ::ppoll(&port, 1, timeout, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            log << "rq7-sim: ppoll: " << std::strerror(errno) << '\n';
            return false;
        }
        if (ready == 0)
            continue;
        if (port.revents & POLLIN) {
            const ssize_t got = ::read(master, buffer, sizeof buffer);
            if (got > 0)
                line.hostWrite(buffer, static_cast<std::size_t>(got), now());
            else if (got < 0 && errno != EAGAIN && errno != EINTR) {
                log << "rq7-sim: read: " << std::strerror(errno) << '\n';
                return false;
            }
        } else if (port.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // Cannot happen while our own slave descriptor is open; stop
            // rather than spin on it.
            log << "rq7-sim: the terminal hung up\n";
            return false;
        }
    }
    return true;
}

} // namespace rq7::sim
