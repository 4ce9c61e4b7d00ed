#pragma once
// The device link's transport and clock, connected in-process to a
// simulated device. Time is virtual: it moves only when the requester
// waits, and then jumps straight to the next byte's arrival or to the
// deadline, so a transfer with many time-outs runs in microseconds.

#include "device/Transport.h"
#include "device/Waiter.h"
#include "simulator/DeviceLine.h"
#include "simulator/SimulatedDevice.h"

#include <cstdint>
#include <functional>
#include <string>

namespace rq7::sim {

class SimulatedLink : public device::Transport, public device::Waiter {
public:
    // baud 0 delivers every reply whole, after the device's reply delay;
    // otherwise bytes come one at a time, as fast as that line carries them.
    explicit SimulatedLink(SimulatedDevice& device, std::uint32_t baud = 0);

    // Transport
    bool open(const std::string& portName, std::string& reason) override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool write(const device::Bytes& bytes) override;
    device::Bytes readAvailable() override;
    void discardInput() override;
    std::uint64_t receivedCount() const override { return received_; }

    // Waiter
    device::Millis now() const override;
    Wake waitUntil(device::Transport& transport, device::Millis deadline) override;
    // The same wait, deaf to the cancel probe.
    Wake waitIgnoringCancel(device::Transport& transport, device::Millis deadline) override;

    // Test controls.
    // open() fails with this reason while it is not empty.
    void setOpenFailure(std::string reason) { openFailure_ = std::move(reason); }
    // Asked on every wait; true ends the wait with Cancel (the user's Storno).
    void setCancelProbe(std::function<bool()> probe) { cancelProbe_ = std::move(probe); }
    // Lets virtual time pass without the requester waiting (the user's pause).
    void advanceBy(device::Millis duration);
    Micros nowMicros() const { return now_; }
    const std::string& portName() const { return portName_; }
    unsigned waits() const { return waits_; }
    SimulatedDevice& device() { return line_.device(); }

private:
    void moveClockTo(Micros t);
    Wake wait(device::Millis deadline, bool honourCancel);

    DeviceLine line_;
    Micros now_{0};
    bool open_ = false;
    std::uint64_t received_ = 0;
    std::string portName_;
    std::string openFailure_;
    std::function<bool()> cancelProbe_;
    unsigned waits_ = 0;
};

} // namespace rq7::sim
