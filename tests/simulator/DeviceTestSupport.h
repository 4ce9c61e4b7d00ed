#pragma once
// Talks to a SimulatedDevice frame by frame, for the simulator's own tests.

#include "simulator/FrameCodec.h"
#include "simulator/SimulatedDevice.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace rq7::sim::testing {

// Sends the request (checksum and CR added) at `at`; the reply, if any.
inline std::optional<SimulatedDevice::Outgoing> send(SimulatedDevice& device, const Bytes& body,
                                                     Micros at = Micros(0)) {
    std::optional<SimulatedDevice::Outgoing> reply;
    for (std::uint8_t b : encodeFrame(body)) {
        auto r = device.receive(b, at);
        if (r) {
            EXPECT_FALSE(reply) << "two replies to one request";
            reply = std::move(r);
        }
    }
    return reply;
}

// The reply's body when its checksum and terminator are right, else nothing.
inline std::optional<Bytes> bodyOf(const Bytes& wire) {
    if (wire.size() < 2 || wire.back() != kCarriageReturn)
        return std::nullopt;
    Bytes body(wire.begin(), wire.end() - 2);
    if (frameChecksum(body) != wire[wire.size() - 2])
        return std::nullopt;
    return body;
}

// Sends and returns the checked reply body; nothing when unanswered.
inline std::optional<Bytes> ask(SimulatedDevice& device, const Bytes& body, Micros at = Micros(0)) {
    const auto reply = send(device, body, at);
    if (!reply)
        return std::nullopt;
    const auto checked = bodyOf(reply->wire);
    EXPECT_TRUE(checked) << "reply with a bad frame";
    return checked;
}

inline Bytes readRequest(std::uint16_t address) {
    Bytes r{command::ReadBlock};
    appendHexPair(r, static_cast<std::uint8_t>(address & 0xFF));
    appendHexPair(r, static_cast<std::uint8_t>(address >> 8));
    return r;
}

inline Bytes writeRequest(std::uint16_t address, const Bytes& block) {
    Bytes r = readRequest(address);
    r[0] = command::WriteBlock;
    for (std::uint8_t b : block)
        appendHexPair(r, b);
    return r;
}

inline const Bytes kEndProgramming{command::EndProgramming, 0xAA, 0x55};

// The 8 bytes of a read reply body, or nothing when it is not one.
inline std::optional<Bytes> blockOf(const Bytes& body) {
    if (body.size() != 17 || body[0] != 0x84)
        return std::nullopt;
    Bytes block;
    for (std::size_t k = 0; k < 8; ++k) {
        const auto v = parseHexPair(body[1 + 2 * k], body[2 + 2 * k]);
        if (!v)
            return std::nullopt;
        block.push_back(*v);
    }
    return block;
}

inline std::string text(const Bytes& bytes, std::size_t from = 0) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

// A device already in programming mode.
inline SimulatedDevice activeDevice(DeviceConfig config = {}) {
    SimulatedDevice device(config);
    EXPECT_EQ(ask(device, {command::Programming}), Bytes{0x81});
    return device;
}

} // namespace rq7::sim::testing
