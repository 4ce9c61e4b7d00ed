#include "tests/device/TestDevice.h"

namespace rq7::device::test {

namespace {

int Nibble(std::uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::uint8_t PairValue(const Bytes& wire, std::size_t at) {
    return static_cast<std::uint8_t>(Nibble(wire.at(at + 1)) * 16 + Nibble(wire.at(at)));
}

} // namespace

Bytes TestDevice::Frame(Bytes data) {
    unsigned sum = 1;
    for (std::uint8_t b : data)
        sum += b;
    std::uint8_t check = static_cast<std::uint8_t>(sum & 0xFF);
    if (check == 13)
        check = 12;
    data.push_back(check);
    data.push_back(13);
    return data;
}

void TestDevice::Pair(Bytes& out, std::uint8_t value) {
    static const char digits[] = "0123456789ABCDEF";
    out.push_back(static_cast<std::uint8_t>(digits[value & 0x0F]));
    out.push_back(static_cast<std::uint8_t>(digits[value >> 4]));
}

Bytes TestDevice::BlockReply(const std::vector<std::uint8_t>& bytes) {
    Bytes data{0x84};
    for (std::uint8_t b : bytes)
        Pair(data, b);
    return Frame(data);
}

void TestDevice::FillPattern() {
    for (std::size_t i = 0; i < eeprom.size(); ++i)
        eeprom[i] = static_cast<std::uint8_t>((i * 7 + i / kBlockSize * 13 + 1) & 0xFF);
}

std::string TestDevice::Trace() const {
    std::string trace;
    for (const Request& r : log) {
        if (r.command != 0x04 && r.command != 0x05)
            continue;
        if (!trace.empty())
            trace += ' ';
        trace += (r.command == 0x04 ? 'R' : 'W') + std::to_string(r.address);
    }
    return trace;
}

std::vector<Arrival> TestDevice::operator()(const Bytes& wire, Millis now) {
    Request request;
    request.at = now;
    request.command = wire.empty() ? 0 : wire[0];
    if ((request.command == 0x04 || request.command == 0x05) && wire.size() >= kBlockRequestWire)
        request.address = static_cast<std::uint16_t>(PairValue(wire, 1) + 256 * PairValue(wire, 3));
    if (request.command == 0x05 && wire.size() >= kBlockWriteWire)
        for (std::size_t k = 0; k < kBlockSize; ++k)
            request.data.push_back(PairValue(wire, 5 + 2 * k));
    const std::size_t index = log.size();
    log.push_back(request);
    if (fault)
        if (auto replaced = fault(request, index, now))
            return *replaced;
    if (auto reply = Answer(request))
        return {Arrival{now + delay, *reply}};
    return {};
}

std::optional<Bytes> TestDevice::Answer(const Request& request) {
    switch (request.command) {
    case 0x01:
        if (ignoredProgrammingRequests > 0) {
            --ignoredProgrammingRequests;
            return std::nullopt;
        }
        return Frame({0x81});
    case 0x02: {
        Bytes data{0x82};
        Pair(data, static_cast<std::uint8_t>(code & 0xFF));
        Pair(data, static_cast<std::uint8_t>((code >> 8) & 0xFF));
        Pair(data, static_cast<std::uint8_t>((code >> 16) & 0xFF));
        Pair(data, static_cast<std::uint8_t>(minor));
        Pair(data, static_cast<std::uint8_t>(major));
        return Frame(data);
    }
    case 0x03: {
        Bytes data{0x83};
        Pair(data, static_cast<std::uint8_t>(memoryCode));
        Pair(data, static_cast<std::uint8_t>(modemCode));
        return Frame(data);
    }
    case 0x04: {
        std::vector<std::uint8_t> bytes;
        for (std::size_t k = 0; k < kBlockSize; ++k)
            bytes.push_back(eeprom.at(request.address + k));
        return BlockReply(bytes);
    }
    case 0x05:
        for (std::size_t k = 0; k < kBlockSize && k < request.data.size(); ++k)
            eeprom.at(request.address + k) = request.data[k];
        return Frame({0x85});
    case 0x06:
        return Frame({0x86});
    default:
        return std::nullopt;
    }
}

} // namespace rq7::device::test
