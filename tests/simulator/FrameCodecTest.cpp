#include "simulator/FrameCodec.h"

#include <gtest/gtest.h>
#include <string>

using namespace rq7::sim;

TEST(SimFrameCodec, ChecksumAndWireForm) {
    struct Case {
        const char* name;
        Bytes data;
        Bytes wire;
    };
    const Case cases[] = {
        {"programming mode", {0x01}, {0x01, 0x02, 0x0D}},
        {"identification", {0x02}, {0x02, 0x03, 0x0D}},
        {"hardware query", {0x03}, {0x03, 0x04, 0x0D}},
        {"end of programming", {0x06, 0xAA, 0x55}, {0x06, 0xAA, 0x55, 0x06, 0x0D}},
        {"sum + 1 = 13 becomes 12", {0x0C}, {0x0C, 0x0C, 0x0D}},
        {"sum wraps at 256", {0xFF, 0x01}, {0xFF, 0x01, 0x01, 0x0D}},
        {"read block 0", {0x04, '0', '0', '0', '0'}, {0x04, 0x30, 0x30, 0x30, 0x30, 0xC5, 0x0D}},
        {"reply 0x81", {0x81}, {0x81, 0x82, 0x0D}},
        {"empty", {}, {0x01, 0x0D}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeFrame(c.data), c.wire) << "case: " << c.name;
}

TEST(SimFrameCodec, HexPairsTravelLowNibbleFirst) {
    struct Case {
        std::uint8_t value;
        std::string text;
    };
    const Case cases[] = {{0x00, "00"}, {0xFF, "FF"}, {0x1E, "E1"},
                          {0xA5, "5A"}, {0x07, "70"}, {0x30, "03"}};
    for (const Case& c : cases) {
        Bytes out;
        appendHexPair(out, c.value);
        EXPECT_EQ(std::string(out.begin(), out.end()), c.text) << "case: " << int{c.value};
        EXPECT_EQ(parseHexPair(out[0], out[1]), c.value) << "case: " << int{c.value};
    }
    EXPECT_EQ(parseHexPair('5', 'a'), 0xA5) << "lower case is read too";
    EXPECT_EQ(parseHexPair('G', '0'), std::nullopt);
    EXPECT_EQ(parseHexPair('0', ' '), std::nullopt);
    EXPECT_EQ(parseHexPair('0', 0), std::nullopt);
}

namespace {

// Pushes every byte; returns the result of each CR in turn.
std::vector<RequestParser::Result> pushAll(RequestParser& parser, const Bytes& bytes) {
    std::vector<RequestParser::Result> results;
    for (std::uint8_t b : bytes) {
        const auto r = parser.push(b);
        if (b == kCarriageReturn)
            results.push_back(r);
        else
            EXPECT_EQ(r, RequestParser::Result::Incomplete);
    }
    return results;
}

} // namespace

TEST(SimFrameCodec, ParserCutsStreamIntoCheckedFrames) {
    using R = RequestParser::Result;
    RequestParser parser;
    EXPECT_EQ(pushAll(parser, {0x04, 0x30, 0x30, 0x30, 0x30, 0xC5, 0x0D}),
              std::vector<R>{R::Frame});
    EXPECT_EQ(parser.frame(), (Bytes{0x04, '0', '0', '0', '0'}));

    // Two frames back to back, then a bad checksum, a lone CR and a good one.
    EXPECT_EQ(pushAll(parser, {0x01, 0x02, 0x0D, 0x02, 0x03, 0x0D, 0x03, 0x05, 0x0D, 0x0D, 0x01,
                               0x02, 0x0D}),
              (std::vector<R>{R::Frame, R::Frame, R::BadChecksum, R::BadChecksum, R::Frame}));
    EXPECT_EQ(parser.frame(), Bytes{0x01});
}

TEST(SimFrameCodec, ParserRejectsOverlongFramesAndResynchronises) {
    using R = RequestParser::Result;
    RequestParser parser;
    // The longest body (101 bytes) is still a frame.
    Bytes longest(kMaxFrameData, '0');
    EXPECT_EQ(pushAll(parser, encodeFrame(longest)), std::vector<R>{R::Frame});
    EXPECT_EQ(parser.frame().size(), kMaxFrameData);

    Bytes tooLong(kMaxFrameData + 1, '0');
    EXPECT_EQ(pushAll(parser, encodeFrame(tooLong)), std::vector<R>{R::Overlong});
    EXPECT_EQ(pushAll(parser, encodeFrame({0x01})), std::vector<R>{R::Frame})
        << "the next frame is read normally";

    // A torn frame (its start lost) only spoils itself.
    EXPECT_EQ(pushAll(parser, {0x30, 0x30, 0xC5, 0x0D, 0x02, 0x03, 0x0D}),
              (std::vector<R>{R::BadChecksum, R::Frame}));
    EXPECT_EQ(parser.frame(), Bytes{0x02});
}
