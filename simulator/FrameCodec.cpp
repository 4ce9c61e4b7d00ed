#include "simulator/FrameCodec.h"

#include "encoding/Hex.h"

namespace rq7::sim {

std::uint8_t frameChecksum(const std::uint8_t* data, std::size_t length) {
    unsigned sum = 1;
    for (std::size_t i = 0; i < length; ++i)
        sum += data[i];
    const auto c = static_cast<std::uint8_t>(sum & 0xFFu);
    return c == kCarriageReturn ? std::uint8_t{12} : c;
}

Bytes encodeFrame(const Bytes& data) {
    Bytes wire = data;
    wire.push_back(frameChecksum(data));
    wire.push_back(kCarriageReturn);
    return wire;
}

void appendHexPair(Bytes& out, std::uint8_t value) {
    out.push_back(static_cast<std::uint8_t>(hex::digit(value & 0x0Fu)));
    out.push_back(static_cast<std::uint8_t>(hex::digit(value >> 4)));
}

std::optional<std::uint8_t> parseHexPair(std::uint8_t first, std::uint8_t second) {
    const int low = hex::value(first);
    const int high = hex::value(second);
    if (low < 0 || high < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(high * 16 + low);
}

RequestParser::Result RequestParser::push(std::uint8_t byte) {
    if (byte != kCarriageReturn) {
        // Keep one byte more than the longest body plus checksum, so that an
        // overlong frame is recognised even though its bytes are not kept.
        if (pending_.size() <= kMaxFrameData)
            pending_.push_back(byte);
        else
            overflowed_ = true;
        return Result::Incomplete;
    }
    const bool overflowed = overflowed_;
    Bytes bytes;
    bytes.swap(pending_);
    overflowed_ = false;
    if (overflowed)
        return Result::Overlong;
    if (bytes.empty())
        return Result::BadChecksum; // a lone CR carries no checksum
    const std::uint8_t received = bytes.back();
    bytes.pop_back();
    if (frameChecksum(bytes) != received)
        return Result::BadChecksum;
    frame_ = std::move(bytes);
    return Result::Frame;
}

void RequestParser::reset() {
    pending_.clear();
    overflowed_ = false;
}

} // namespace rq7::sim
