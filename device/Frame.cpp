#include "device/Frame.h"

#include "encoding/Hex.h"

namespace rq7::device {

std::uint8_t FrameChecksum(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 1;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    const auto checksum = static_cast<std::uint8_t>(sum % 256);
    return checksum == kCarriageReturn ? std::uint8_t{12} : checksum;
}

Frame MakeRequest(std::uint8_t command) {
    Frame frame;
    frame.data[0] = command;
    frame.length = 1;
    return frame;
}

Frame BlockRequest(std::uint8_t command, std::uint16_t address) {
    Frame request = MakeRequest(command);
    AppendHexByte(request, static_cast<std::uint8_t>(address % 256));
    AppendHexByte(request, static_cast<std::uint8_t>(address / 256));
    return request;
}

void AppendHexByte(Frame& frame, std::uint8_t value) {
    const auto at = static_cast<std::size_t>(frame.length);
    frame.data.at(at) = static_cast<std::uint8_t>(hex::digit(value % 16));
    frame.data.at(at + 1) = static_cast<std::uint8_t>(hex::digit(value / 16));
    frame.length += 2;
}

std::uint8_t HexPairToByte(std::uint8_t first, std::uint8_t second) {
    const int high = hex::value(second);
    if (high < 0)
        return 0;
    const int low = hex::value(first);
    if (low < 0)
        return static_cast<std::uint8_t>(high);
    return static_cast<std::uint8_t>(high * 16 + low);
}

bool IsHexDigit(std::uint8_t c) {
    return hex::value(c) >= 0;
}

bool HasHexPayload(const Frame& reply, int pairs) {
    if (reply.length < 1 + 2 * pairs)
        return false;
    for (int i = 1; i <= 2 * pairs; ++i)
        if (!IsHexDigit(reply.data[static_cast<std::size_t>(i)]))
            return false;
    return true;
}

std::uint8_t PairAt(const Frame& reply, int index) {
    const auto at = static_cast<std::size_t>(index);
    return HexPairToByte(reply.data.at(at), reply.data.at(at + 1));
}

Bytes EncodeFrame(const Frame& frame) {
    const auto count = static_cast<std::size_t>(frame.length);
    Bytes wire(frame.data.begin(), frame.data.begin() + static_cast<long>(count));
    wire.push_back(FrameChecksum(frame.data.data(), count));
    wire.push_back(kCarriageReturn);
    return wire;
}

} // namespace rq7::device
