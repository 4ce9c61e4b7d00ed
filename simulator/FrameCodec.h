#pragma once
// The device's side of the framing: a frame is its data bytes, one checksum
// byte and a carriage return; values travel as two ASCII hex digits, low
// nibble first. Kept separate from the requester's codec on purpose, so a
// mistake in one shows up as a disagreement with the other.

#include "simulator/SimClock.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace rq7::sim {

inline constexpr std::uint8_t kCarriageReturn = 13;
// Longest frame body (data without checksum and CR) either side accepts.
inline constexpr std::size_t kMaxFrameData = 101;

// (sum of the bytes + 1) mod 256; 13 becomes 12 so that it never looks like
// the terminator.
std::uint8_t frameChecksum(const std::uint8_t* data, std::size_t length);
inline std::uint8_t frameChecksum(const Bytes& data) {
    return frameChecksum(data.data(), data.size());
}

// data, checksum, CR.
Bytes encodeFrame(const Bytes& data);

// Appends v as two upper-case hex digits, low nibble first (0x1E -> 'E','1').
void appendHexPair(Bytes& out, std::uint8_t value);

// The value of a pair as it travels (low nibble first). Both characters must
// be hex digits (either case); anything else is no value.
std::optional<std::uint8_t> parseHexPair(std::uint8_t first, std::uint8_t second);

// Cuts a byte stream into request frames. Each byte is pushed in turn; a CR
// ends a frame, whose last byte before the CR must be its checksum.
class RequestParser {
public:
    enum class Result {
        Incomplete,  // no CR yet
        Frame,       // frame() holds a request with a correct checksum
        BadChecksum, // a CR ended bytes whose checksum does not match
        Overlong,    // a CR ended more bytes than any frame holds
    };

    Result push(std::uint8_t byte);
    // The body of the last good frame (without checksum and CR).
    const Bytes& frame() const { return frame_; }
    // Forgets a partly received frame.
    void reset();

private:
    Bytes pending_;
    bool overflowed_ = false;
    Bytes frame_;
};

} // namespace rq7::sim
