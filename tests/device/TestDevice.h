#pragma once
// A scripted device at the far end of a FakeLine. Its framing is written out
// here on its own, so that a mistake in the link's codec shows up as a
// disagreement instead of cancelling out.

#include "device/Block.h"
#include "tests/device/FakeLine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace rq7::device::test {

class TestDevice {
public:
    struct Request {
        std::uint8_t command = 0;
        std::uint16_t address = 0; // block commands
        Bytes data;                // block write: the 8 bytes
        Millis at{0};
    };

    std::uint32_t code = 0x03D302; // RQ7
    int major = 1;
    int minor = 2;
    int memoryCode = 3; // 1024 bytes
    int modemCode = 4;
    int ignoredProgrammingRequests = 0; // key pressed after this many
    Millis delay{5};
    Bytes eeprom = Bytes(1024, 0);
    // Replaces the normal answer to request number `index` (0-based, all
    // commands counted) when it returns a value; an empty list is silence.
    std::function<std::optional<std::vector<Arrival>>(const Request&, std::size_t index,
                                                      Millis now)>
        fault;

    std::vector<Request> log;

    std::vector<Arrival> operator()(const Bytes& wire, Millis now);

    // Framing as the device does it.
    static Bytes Frame(Bytes data);
    static void Pair(Bytes& out, std::uint8_t value);
    // A block-read reply carrying these bytes.
    static Bytes BlockReply(const std::vector<std::uint8_t>& bytes);

    // Fills the EEPROM with a pattern that differs in every block.
    void FillPattern();
    // Address and command of each logged request, e.g. "W0 R0 W8".
    std::string Trace() const;

private:
    std::optional<Bytes> Answer(const Request& request);
};

// Wires a FakeLine to a TestDevice.
inline void Connect(FakeLine& line, TestDevice& device) {
    line.device = [&device](const Bytes& wire, Millis now) { return device(wire, now); };
}

} // namespace rq7::device::test
