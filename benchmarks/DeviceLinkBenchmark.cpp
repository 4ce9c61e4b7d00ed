// Device link figures:
//   --port PATH [--baud B] [--reads N]
//       reads the whole EEPROM of the device on PATH (rq7-sim with
//       --wire-speed B) N times through the serial transport and the
//       event-loop wait; reports the wall time against what the line allows
//       and the CPU time this process used. With --baud 0 (an unpaced
//       rq7-sim) it reports the time and CPU of one exchange's software
//       round trip instead, the overhead that pacing adds to. With
//       --trace FILE the traffic is traced to FILE meanwhile.
//   --in-process [--seconds S]
//       whole-EEPROM reads against the simulated device on the virtual
//       clock; reports exchanges per second.

#include "benchmarks/BenchSupport.h"
#include "device/DeviceLink.h"
#include "device/Trace.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace rq7;
using bench::blockReadLineSeconds;
using bench::NoStatus;
using bench::option;
using bench::wallSeconds;

namespace {

class OkPrompter : public Prompter {
public:
    Answer ask(const Message& message) override {
        if (message.key != "msg026") // the key-press request is expected
            std::cerr << "device said: " << message.key << ' ' << message.text << '\n';
        return message.defaultAnswer();
    }
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool has(const std::vector<std::string>& args, const std::string& name) {
    for (const std::string& a : args)
        if (a == name)
            return true;
    return false;
}

int overPort(const std::string& port, long baud, int reads, const std::string& tracePath) {
    device::SerialTransport serial;
    device::EventLoopWaiter realWaiter(serial);
    device::Transport* transport = &serial;
    device::Waiter* waiter = &realWaiter;
    std::unique_ptr<device::Trace> trace;
    if (!tracePath.empty()) {
        trace = std::make_unique<device::Trace>(tracePath, serial, realWaiter);
        if (!trace->ok()) {
            std::cerr << trace->error() << '\n';
            return 1;
        }
        transport = &trace->transport();
        waiter = &trace->waiter();
        std::cout << "with the traffic trace in " << tracePath << '\n';
    }
    OkPrompter prompter;
    NoStatus status;
    const Texts texts;
    device::DeviceLink link(*transport, *waiter, prompter, status, texts);
    const auto activation = link.Activate(port);
    if (activation.state != device::ConnectionState::Aktivni) {
        std::cerr << "activation failed on " << port << ": " << activation.portError << '\n';
        return 1;
    }
    const long size = activation.info.eepromSize;
    const long exchanges = device::BlocksFor(size);
    const double limit = baud > 0 ? blockReadLineSeconds(exchanges, baud) : 0.0;
    std::vector<std::uint8_t> image(65536);
    if (baud > 0)
        std::printf("device link over %s: %ld-byte EEPROM, %ld exchanges, line limit %.3f s at "
                    "%ld baud\n",
                    port.c_str(), size, exchanges, limit, baud);
    else
        std::printf("device link over %s, unpaced: %ld-byte EEPROM, %ld exchanges\n", port.c_str(),
                    size, exchanges);
    int status_code = 0;
    for (int r = 1; r <= reads; ++r) {
        const double wall0 = wallSeconds();
        const double cpu0 = cpuSeconds();
        const auto result = link.ReadEeprom(image.data(), image.size(), size);
        const double wall = wallSeconds() - wall0;
        const double cpu = cpuSeconds() - cpu0;
        if (baud > 0)
            std::printf("  read %d: %s, wall %.3f s = %.3f x limit (target <= 1.05), CPU %.3f s "
                        "= %.1f %% of wall (target <= 5 %%)\n",
                        r, result.ok() ? "ok" : "FAILED", wall, wall / limit, cpu,
                        100.0 * cpu / wall);
        else
            std::printf("  read %d: %s, wall %.4f s = %.0f us per exchange, CPU %.0f us per "
                        "exchange\n",
                        r, result.ok() ? "ok" : "FAILED", wall,
                        1e6 * wall / static_cast<double>(exchanges),
                        1e6 * cpu / static_cast<double>(exchanges));
        if (!result.ok())
            status_code = 1;
    }
    link.Deactivate();
    return status_code;
}

int inProcess(double seconds) {
    sim::DeviceConfig config;
    config.profile.memoryCode = 9; // 65,536 bytes: 8,192 exchanges per read
    sim::SimulatedDevice device(config);
    sim::SimulatedLink link(device);
    OkPrompter prompter;
    NoStatus status;
    const Texts texts;
    device::DeviceLink requester(link, link, prompter, status, texts);
    const auto activation = requester.Activate("sim");
    if (activation.state != device::ConnectionState::Aktivni) {
        std::cerr << "in-process activation failed\n";
        return 1;
    }
    std::vector<std::uint8_t> image(65536);
    long exchanges = 0;
    const double wall0 = wallSeconds();
    const double cpu0 = cpuSeconds();
    double wall = 0;
    do {
        if (!requester.ReadEeprom(image.data(), image.size(), activation.info.eepromSize).ok()) {
            std::cerr << "in-process read failed\n";
            return 1;
        }
        exchanges += device::BlocksFor(activation.info.eepromSize);
        wall = wallSeconds() - wall0;
    } while (wall < seconds);
    // Per CPU second too: on a busy machine the wall time counts other
    // programs' turns.
    const double cpu = cpuSeconds() - cpu0;
    std::printf("in-process simulator: %ld exchanges in %.3f s = %.0f exchanges/s, %.0f per CPU "
                "second\n",
                exchanges, wall, static_cast<double>(exchanges) / wall,
                static_cast<double>(exchanges) / cpu);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (has(args, "--in-process"))
        return inProcess(std::atof(option(args, "--seconds", "2").c_str()));
    const std::string port = option(args, "--port", "");
    if (port.empty()) {
        std::cerr << "usage: rq7_bench_device_link --port PATH [--baud B] [--reads N] "
                     "[--trace FILE]\n"
                     "       rq7_bench_device_link --in-process [--seconds S]\n";
        return 2;
    }
    return overPort(port, std::atol(option(args, "--baud", "19200").c_str()),
                    std::atoi(option(args, "--reads", "3").c_str()), option(args, "--trace", ""));
}
