// Settings-read and late-reply figures:
//   --port PATH [--baud B] [--reads N]
//       reads the settings image of the device on PATH (rq7-sim with
//       --wire-speed B) N times through the serial transport; reports the
//       wall time against the line time of the blocks the read needs.
//   --late-runs N [--late P] [--image FILE.eep]
//       on the in-process simulator paced at 19,200 baud (virtual clock),
//       every reply of a share P (default 0.2) of the exchanges comes 2 s
//       late, in order; per seed one settings read and one verified write
//       of the image; counts the transfers that reported success with the
//       wrong bytes.
//   --floor-runs N
//       on the in-process simulator paced at 19,200 baud (virtual clock),
//       whole reads of a 1 KiB device of random bytes, per seed one under
//       5 % drops + 5 % bad checksums + 5 % late + 3 % short replies and
//       one under 20 % stalls that add up; reports each read's time beside
//       its floor: the clean read's time plus every delay the device
//       imposed (late and stalled replies) plus one first time-out (100 ms)
//       per dropped reply. Also the clean read against the line limit.

#include "benchmarks/BenchSupport.h"
#include "device/DeviceLink.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "files/WholeFile.h"
#include "operations/DeviceImageRead.h"
#include "settings/EepromImage.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace rq7;
using bench::blockReadLineSeconds;
using bench::NoStatus;
using bench::option;
using bench::wallSeconds;

namespace {

class QuietPrompter : public Prompter {
public:
    Answer ask(const Message& message) override { return message.defaultAnswer(); }
};

int overPort(const std::string& port, long baud, int reads) {
    device::SerialTransport transport;
    device::EventLoopWaiter waiter(transport);
    QuietPrompter prompter;
    NoStatus status;
    const Texts texts;
    device::DeviceLink link(transport, waiter, prompter, status, texts);
    if (link.Activate(port).state != device::ConnectionState::Aktivni) {
        std::cerr << "activation failed on " << port << '\n';
        return 1;
    }
    int code = 0;
    for (int r = 1; r <= reads; ++r) {
        auto image = std::make_unique<EepromImage>();
        const double wall0 = wallSeconds();
        const ImageReadResult result = ReadDeviceImage(link, *image, link.info().eepromSize);
        const double wall = wallSeconds() - wall0;
        const long blocks =
            result.outcome == ImageRead::Read ? device::BlocksFor(result.length) : 4;
        const double limit = blockReadLineSeconds(blocks, baud);
        std::printf("  settings read %d of a %ld-byte EEPROM: %s, %ld bytes, %ld blocks, wall "
                    "%.3f s = %.3f x the line time of its blocks (%.3f s)\n",
                    r, link.info().eepromSize,
                    result.outcome == ImageRead::Read ? "read" : "not read", result.length, blocks,
                    wall, wall / limit, limit);
        if (result.outcome != ImageRead::Read && result.outcome != ImageRead::Unprogrammed)
            code = 1;
    }
    link.Deactivate();
    return code;
}

// An activated device link to the in-process simulator holding `image`,
// paced at 19,200 baud on its virtual clock.
struct SimSession {
    SimSession(std::uint64_t seed, const std::vector<std::uint8_t>& image)
        : device(configFor(seed)), link(device, 19200),
          requester(link, link, prompter, status, texts) {
        device.loadEeprom(image);
        active = requester.Activate("sim").state == device::ConnectionState::Aktivni;
    }
    static sim::DeviceConfig configFor(std::uint64_t seed) {
        sim::DeviceConfig config;
        config.seed = seed;
        return config;
    }
    sim::SimulatedDevice device;
    sim::SimulatedLink link;
    QuietPrompter prompter;
    NoStatus status;
    const Texts texts;
    device::DeviceLink requester;
    bool active = false;
};

int lateRuns(int runs, double late, const std::vector<std::uint8_t>& image) {
    int reads = 0, readsOk = 0, readsWrong = 0, writes = 0, writesOk = 0, writesWrong = 0;
    unsigned lateReplies = 0;
    double virtualSeconds = 0;
    for (int seed = 1; seed <= runs; ++seed) {
        SimSession session(static_cast<std::uint64_t>(seed), image);
        if (!session.active)
            continue;
        sim::SimulatedDevice& device = session.device;
        sim::SimulatedLink& link = session.link;
        device::DeviceLink& requester = session.requester;
        sim::FaultRates rates;
        rates.late = late;
        rates.lateRepeats = true;
        device.setFaultRates(rates);
        const auto start = link.nowMicros();

        auto read = std::make_unique<EepromImage>();
        const ImageReadResult result =
            ReadDeviceImage(requester, *read, requester.info().eepromSize);
        ++reads;
        if (result.outcome == ImageRead::Read) {
            ++readsOk;
            readsWrong += result.length != static_cast<long>(image.size()) ||
                          !std::equal(image.begin(), image.end(), read->data());
        }
        std::vector<std::uint8_t> contents = image;
        contents.resize(65536, 0);
        ++writes;
        if (requester
                .WriteEeprom(contents.data(), contents.size(), static_cast<long>(image.size()) + 1,
                             true)
                .ok()) {
            ++writesOk;
            writesWrong += !std::equal(image.begin(), image.end(), device.eeprom().begin());
        }
        device.setFaultRates(sim::FaultRates{});
        requester.Deactivate();
        lateReplies += device.counters().late;
        virtualSeconds += static_cast<double>((link.nowMicros() - start).count()) / 1e6;
    }
    std::printf("late replies (%.0f %% of exchanges, every attempt 2 s late, in order, 19200 "
                "baud, virtual clock): %d seeds, %u late replies, %.0f s of line time\n"
                "  settings reads: %d, %d succeeded, %d silently wrong\n"
                "  verified writes: %d, %d succeeded, %d silently wrong\n",
                100 * late, runs, lateReplies, virtualSeconds, reads, readsOk, readsWrong, writes,
                writesOk, writesWrong);
    return readsWrong + writesWrong == 0 ? 0 : 1;
}

struct FloorTotals {
    double wall = 0, floor = 0, worst = 0;
    int runs = 0, ok = 0, wrong = 0;
};

// One whole read of `image` under `rates`; its virtual seconds, and the
// floor's parts the device reports.
void floorRun(std::uint64_t seed, const sim::FaultRates& rates,
              const std::vector<std::uint8_t>& image, double clean, FloorTotals& totals) {
    SimSession session(seed, image);
    if (!session.active)
        return;
    sim::SimulatedDevice& device = session.device;
    sim::SimulatedLink& link = session.link;
    device::DeviceLink& requester = session.requester;
    device.setFaultRates(rates);
    const sim::SimulatedDevice::Counters before = device.counters();
    const auto start = link.nowMicros();
    std::vector<std::uint8_t> read(image.size());
    const bool ok =
        requester.ReadEeprom(read.data(), read.size(), static_cast<long>(image.size())).ok();
    const double wall = static_cast<double>((link.nowMicros() - start).count()) / 1e6;
    const sim::SimulatedDevice::Counters& after = device.counters();
    const double imposed =
        static_cast<double>((after.delayImposed - before.delayImposed).count()) / 1e6;
    const double floor = clean + imposed + 0.1 * (after.dropped - before.dropped);
    ++totals.runs;
    totals.ok += ok;
    totals.wrong += ok && read != image;
    totals.wall += wall;
    totals.floor += floor;
    totals.worst = std::max(totals.worst, wall / floor);
}

int floorRuns(int runs) {
    std::vector<std::uint8_t> image(1024);
    std::mt19937 random(7);
    for (std::uint8_t& b : image)
        b = static_cast<std::uint8_t>(random());
    FloorTotals clean;
    floorRun(1, sim::FaultRates{}, image, 0, clean);
    const double limit =
        blockReadLineSeconds(static_cast<long>(image.size() / device::kBlockSize), 19200);
    std::printf("clean whole read of a 1 KiB device, 19200 baud (virtual clock): %.3f s = %.3f x "
                "the line limit (%.3f s)\n",
                clean.wall, clean.wall / limit, limit);
    sim::FaultRates mix;
    mix.drop = 0.05;
    mix.corrupt = 0.05;
    mix.late = 0.05;
    mix.shortReply = 0.03;
    sim::FaultRates stalls;
    stalls.stall = 0.2;
    int wrong = 0;
    for (const auto& [name, rates] : {std::pair<const char*, sim::FaultRates>{
                                          "5 % drops, 5 % bad checksums, 5 % late, 3 % short", mix},
                                      {"20 % stalls of 2 s that add up", stalls}}) {
        FloorTotals totals;
        for (int seed = 1; seed <= runs; ++seed)
            floorRun(static_cast<std::uint64_t>(seed), rates, image, clean.wall, totals);
        std::printf("  %s: %d reads, %d succeeded, %d silently wrong; wall %.1f s against a floor "
                    "of %.1f s = %.3f x the floor (worst read %.3f x; target <= 1.25)\n",
                    name, totals.runs, totals.ok, totals.wrong, totals.wall, totals.floor,
                    totals.wall / totals.floor, totals.worst);
        wrong += totals.wrong;
    }
    return wrong == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::string floor = option(args, "--floor-runs", ""); !floor.empty())
        return floorRuns(std::atoi(floor.c_str()));
    const std::string runs = option(args, "--late-runs", "");
    if (!runs.empty()) {
        std::string bytes, error;
        const std::string path = option(args, "--image", "");
        if (path.empty() || files::readWholeFile(path, bytes, error) != files::FileRead::Read) {
            std::cerr << "--late-runs needs --image FILE.eep " << error << '\n';
            return 2;
        }
        return lateRuns(std::atoi(runs.c_str()), std::atof(option(args, "--late", "0.2").c_str()),
                        std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    const std::string port = option(args, "--port", "");
    if (port.empty()) {
        std::cerr << "usage: rq7_bench_device_read --port PATH [--baud B] [--reads N]\n"
                     "       rq7_bench_device_read --late-runs N --image FILE.eep [--late P]\n"
                     "       rq7_bench_device_read --floor-runs N\n";
        return 2;
    }
    return overPort(port, std::atol(option(args, "--baud", "19200").c_str()),
                    std::atoi(option(args, "--reads", "3").c_str()));
}
