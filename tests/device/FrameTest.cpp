#include "device/Frame.h"

#include "device/FrameLink.h"
#include "tests/device/FakeLine.h"

#include <gtest/gtest.h>

namespace rq7::device::test {
namespace {

Bytes Wire(std::initializer_list<int> bytes) {
    Bytes out;
    for (int b : bytes)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// A valid reply carrying these data bytes, as it comes on the wire.
Bytes Reply(std::initializer_list<int> data) {
    Bytes out = Wire(data);
    out.push_back(FrameChecksum(out.data(), out.size()));
    out.push_back(0x0D);
    return out;
}

TEST(FrameEncoding, RequestsGoOutWithChecksumAndCr) {
    struct Case {
        const char* name;
        Frame frame;
        Bytes wire;
    };
    Frame end = MakeRequest(0x06);
    end.data[1] = 0xAA;
    end.data[2] = 0x55;
    end.length = 3;
    Frame write = BlockRequest(0x05, 0x0318);
    for (std::uint8_t b = 1; b <= 8; ++b)
        AppendHexByte(write, b);
    Bytes writeWire = Wire({0x05});
    for (char c : std::string("81301020304050607080"))
        writeWire.push_back(static_cast<std::uint8_t>(c));
    unsigned sum = 1;
    for (std::uint8_t b : writeWire)
        sum += b;
    writeWire.push_back(static_cast<std::uint8_t>(sum % 256));
    writeWire.push_back(13);

    const Case cases[] = {
        {"programming mode", MakeRequest(0x01), Wire({0x01, 0x02, 0x0D})},
        {"identification", MakeRequest(0x02), Wire({0x02, 0x03, 0x0D})},
        {"hardware query", MakeRequest(0x03), Wire({0x03, 0x04, 0x0D})},
        {"end of programming", end, Wire({0x06, 0xAA, 0x55, 0x06, 0x0D})},
        {"checksum 13 becomes 12", MakeRequest(12), Wire({0x0C, 0x0C, 0x0D})},
        {"checksum wraps", MakeRequest(0xFF), Wire({0xFF, 0x00, 0x0D})},
        {"read block 0", BlockRequest(0x04, 0), Wire({0x04, 0x30, 0x30, 0x30, 0x30, 0xC5, 0x0D})},
        {"write block 0x0318", write, writeWire},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeFrame(c.frame), c.wire) << "case: " << c.name;
    EXPECT_EQ(write.length, 21);
}

TEST(FrameEncoding, BlockAddressTravelsLowByteFirst) {
    struct Case {
        std::uint16_t address;
        std::string chars;
    };
    const Case cases[] = {{0x0318, "8130"}, {0x0000, "0000"}, {0xFFF8, "8FFF"}, {0x8000, "0008"}};
    for (const Case& c : cases) {
        const Frame f = BlockRequest(0x04, c.address);
        ASSERT_EQ(f.length, 5) << "case: " << c.address;
        EXPECT_EQ(std::string(f.data.begin() + 1, f.data.begin() + 5), c.chars)
            << "case: " << c.address;
    }
}

TEST(HexPairs, AppendWritesLowNibbleFirst) {
    struct Case {
        int value;
        const char* chars;
    };
    const Case cases[] = {{0x00, "00"}, {0xFF, "FF"}, {0x1E, "E1"},
                          {0xA5, "5A"}, {0x07, "70"}, {0x30, "03"}};
    for (const Case& c : cases) {
        Frame f = MakeRequest(0x04);
        AppendHexByte(f, static_cast<std::uint8_t>(c.value));
        EXPECT_EQ(f.length, 3) << "case: " << c.value;
        EXPECT_EQ(f.data[1], c.chars[0]) << "case: " << c.value;
        EXPECT_EQ(f.data[2], c.chars[1]) << "case: " << c.value;
    }
}

TEST(HexPairs, PairToByteReadsLikeANumericParser) {
    struct Case {
        char first, second;
        int value;
    };
    const Case cases[] = {
        {'E', '1', 0x1E}, {'5', 'a', 0xA5}, {'f', 'F', 0xFF},
        {'0', '0', 0x00}, {'x', '1', 0x01}, // first no digit: the second alone
        {'1', 'x', 0x00},                   // second no digit: nothing
        {' ', ' ', 0x00}, {'G', '2', 0x02},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            HexPairToByte(static_cast<std::uint8_t>(c.first), static_cast<std::uint8_t>(c.second)),
            c.value)
            << "case: " << c.first << c.second;
}

TEST(HexPairs, EveryByteSurvivesTheRoundTrip) {
    for (int v = 0; v < 256; ++v) {
        Frame f = MakeRequest(0);
        AppendHexByte(f, static_cast<std::uint8_t>(v));
        EXPECT_EQ(HexPairToByte(f.data[1], f.data[2]), v) << "value " << v;
        EXPECT_TRUE(HasHexPayload(f, 1)) << "value " << v;
    }
}

TEST(HexPairs, PayloadCheckWantsEnoughDigits) {
    Frame f = MakeRequest(0x84);
    for (std::uint8_t b : Text("0A1b"))
        f.data[static_cast<std::size_t>(f.length++)] = b;
    EXPECT_TRUE(HasHexPayload(f, 2));
    EXPECT_FALSE(HasHexPayload(f, 3)) << "too short";
    f.data[2] = 'g';
    EXPECT_FALSE(HasHexPayload(f, 2)) << "non-digit";
}

// Receiving, on a fake line whose clock jumps to each event.
class Receive : public ::testing::Test {
protected:
    Millis clock{0};
    FakeLine line{clock};
    bool cancel = false;
    FakeWaiter waiter{clock, line, [this] { return cancel; }};
    FrameLink link{line, waiter};
    void SetUp() override {
        std::string reason;
        ASSERT_TRUE(line.open("COM 1", reason));
    }
};

TEST_F(Receive, RepliesDecodeOrFail) {
    struct Case {
        const char* name;
        std::vector<Arrival> arrivals;
        int length;   // expected Length
        Millis ended; // clock when ReceiveFrame returned
    };
    const Case cases[] = {
        {"one-byte reply", {{Millis{3}, Wire({0x81, 0x82, 0x0D})}}, 1, Millis{3}},
        {"checksum 12 for 13", {{Millis{3}, Wire({0x0C, 0x0C, 0x0D})}}, 1, Millis{3}},
        {"bad checksum", {{Millis{3}, Wire({0x81, 0x83, 0x0D})}}, 0, Millis{3}},
        {"lone CR", {{Millis{3}, Wire({0x0D})}}, 0, Millis{3}},
        {"in pieces",
         {{Millis{2}, Wire({0x82})}, {Millis{5}, Wire({0x83})}, {Millis{9}, Wire({0x0D})}},
         1,
         Millis{9}},
        {"no CR ends at the time-out", {{Millis{2}, Wire({0x81, 0x82})}}, 0, Millis{100}},
        {"CR at the deadline", {{Millis{100}, Wire({0x81, 0x82, 0x0D})}}, 0, Millis{100}},
        {"nothing", {}, 0, Millis{100}},
        {"a CR ends a reply, also with bytes after it",
         {{Millis{3}, Wire({0x81, 0x82, 0x0D, 0x55})}, {Millis{7}, Wire({0x81, 0x82, 0x0D})}},
         1,
         Millis{3}},
    };
    // The same outcomes whether any input or only a terminator wakes a wait.
    for (const bool terminatorOnly : {false, true}) {
        waiter.wakesOnTerminatorOnly = terminatorOnly;
        for (const Case& c : cases) {
            const std::string name =
                std::string(c.name) + (terminatorOnly ? ", waking on CR only" : "");
            clock = Millis{1000}; // what is left of the case before arrives
            line.readAvailable();
            link.Reset();
            clock = Millis{0};
            for (const Arrival& a : c.arrivals)
                line.arrive(a.at, a.bytes);
            const Frame f = link.ReceiveFrame(Millis{100});
            EXPECT_EQ(f.length, c.length) << "case: " << name;
            EXPECT_EQ(clock, c.ended) << "case: " << name;
            EXPECT_EQ(link.TimeoutFlag(), c.ended == Millis{100}) << "case: " << name;
        }
    }
}

TEST_F(Receive, BytesOfAReplyCutOffByTheTimeOutAreDropped) {
    for (const bool terminatorOnly : {false, true}) {
        waiter.wakesOnTerminatorOnly = terminatorOnly;
        clock = Millis{0};
        line.arrive(Millis{20}, Wire({0x84, '1', '2'}));
        EXPECT_EQ(link.ReceiveFrame(Millis{100}).length, 0);
        line.arrive(Millis{130}, Wire({0x81, 0x82, 0x0D}));
        const Frame f = link.ReceiveFrame(Millis{100});
        EXPECT_EQ(f.length, 1) << "case: waking on CR only " << terminatorOnly
                               << ": the next reply starts clean";
        EXPECT_EQ(f.code(), 0x81) << "case: waking on CR only " << terminatorOnly;
    }
}

TEST_F(Receive, OverlongReplyIsDamaged) {
    Bytes longReply(120, '0');
    longReply[0] = 0x84;
    longReply.back() = 0x0D;
    line.arrive(Millis{4}, longReply);
    const Frame f = link.ReceiveFrame(Millis{300});
    EXPECT_EQ(f.length, 0);
    EXPECT_EQ(clock, Millis{4}) << "its CR ends it all the same";
}

TEST_F(Receive, LongestReplyFits) {
    Bytes data(99, '1');
    data[0] = 0x84;
    unsigned sum = 1;
    for (std::uint8_t b : data)
        sum += b;
    Bytes wire = data;
    wire.push_back(static_cast<std::uint8_t>(sum % 256 == 13 ? 12 : sum % 256));
    wire.push_back(13);
    ASSERT_EQ(wire.size(), 101u);
    line.arrive(Millis{1}, wire);
    EXPECT_EQ(link.ReceiveFrame(Millis{100}).length, 99);
}

TEST_F(Receive, CancelEndsAHonouredWaitOnly) {
    cancel = true;
    EXPECT_EQ(link.ReceiveFrame(Millis{100}, CancelMode::Honoured).length, 0);
    EXPECT_TRUE(link.Cancelled());
    EXPECT_EQ(clock, Millis{0});

    line.arrive(Millis{20}, Wire({0x86, 0x87, 0x0D}));
    const Frame f = link.ReceiveFrame(Millis{100}, CancelMode::Ignored);
    EXPECT_EQ(f.length, 1) << "an ignored cancel lets the reply come";
    EXPECT_FALSE(link.Cancelled());
}

TEST_F(Receive, ExchangeDropsWhatWasWaitingBeforeTheRequest) {
    // A complete, valid reply of an earlier request lies in the buffer.
    line.arrive(Millis{0}, Wire({0x81, 0x82, 0x0D}));
    line.device = [](const Bytes&, Millis now) {
        return std::vector<Arrival>{{now + Millis{5}, Wire({0x82, 0x83, 0x0D})}};
    };
    const Frame f = link.Exchange(MakeRequest(0x02), Millis{100}, CancelMode::Ignored);
    EXPECT_EQ(f.length, 1);
    EXPECT_EQ(f.code(), 0x82);
}

TEST_F(Receive, ALateReplyIsNeverTakenForAnotherRequests) {
    // The device answers everything in order, 2.9 s late. The first request
    // times out; before the next one a barrier goes out, and the request
    // follows only once the late reply is in.
    const Frame seconds[] = {BlockRequest(0x05, 8), BlockRequest(0x04, 8), MakeRequest(0x06)};
    for (const Frame& second : seconds) {
        const std::string name = "case: command " + std::to_string(second.code());
        clock = Millis{0};
        FakeLine caseLine{clock};
        FakeWaiter caseWaiter{clock, caseLine, [] { return false; }};
        caseWaiter.wakesOnTerminatorOnly = true;
        FrameLink caseLink{caseLine, caseWaiter};
        std::string reason;
        ASSERT_TRUE(caseLine.open("COM 1", reason));
        Millis lastReply{0};
        caseLine.device = [&lastReply](const Bytes& wire, Millis now) {
            // Each reply names the request it answers by its second byte.
            lastReply = std::max(now + Millis{2900}, lastReply + Millis{1});
            return std::vector<Arrival>{{lastReply, Reply({wire[0] + 0x80, wire[1]})}};
        };
        EXPECT_EQ(caseLink.Exchange(BlockRequest(0x04, 0), Millis{100}, CancelMode::Ignored).length,
                  0)
            << name;
        const Frame f = caseLink.Exchange(second, Millis{3000}, CancelMode::Ignored);
        ASSERT_EQ(caseLine.sent().size(), 3u) << name;
        EXPECT_EQ(caseLine.sent()[1].wire, EncodeFrame(MakeRequest(kBarrierCommand))) << name;
        EXPECT_EQ(caseLine.sent()[1].at, Millis{100}) << name;
        EXPECT_EQ(caseLine.sent()[2].at, Millis{2900}) << name << ": after the late reply";
        EXPECT_EQ(f.code(), second.code() + 0x80) << name;
        EXPECT_EQ(f.data[1], EncodeFrame(second)[1]) << name << ": its own reply";
    }
}

TEST_F(Receive, RepliesOfOtherCommandsAreSkippedWithinTheSameDeadline) {
    // A block read (time-out 200 ms, sent at 0) meets what the case says.
    struct Case {
        const char* name;
        std::vector<Arrival> arrivals;
        int code;     // of the reply returned, 0 for none
        Millis ended; // clock when Exchange returned
    };
    const Case cases[] = {
        {"late programming and write answers, then the block",
         {{Millis{10}, Reply({0x81})},
          {Millis{20}, Reply({0x85})},
          {Millis{30}, Reply({0x84, '1'})}},
         0x84,
         Millis{30}},
        {"every other answer code",
         {{Millis{10}, Reply({0x81})},
          {Millis{20}, Reply({0x82, '1'})},
          {Millis{30}, Reply({0x83, '2'})},
          {Millis{40}, Reply({0x85})},
          {Millis{50}, Reply({0x86})},
          {Millis{60}, Reply({0x84, '1'})}},
         0x84,
         Millis{60}},
        {"only a late answer: the time-out still ends the wait",
         {{Millis{10}, Reply({0x85})}},
         0,
         Millis{200}},
        {"a late answer at the deadline",
         {{Millis{150}, Reply({0x81})}, {Millis{200}, Reply({0x84, '1'})}},
         0,
         Millis{200}},
        {"a refusal is returned", {{Millis{10}, Reply({0x15})}}, 0x15, Millis{10}},
        {"an unknown code is returned", {{Millis{10}, Reply({0x87})}}, 0x87, Millis{10}},
        {"a damaged answer ends the wait as before",
         {{Millis{10}, Wire({0x81, 0x83, 0x0D})}, {Millis{30}, Reply({0x84, '1'})}},
         0,
         Millis{10}},
    };
    for (const bool terminatorOnly : {false, true}) {
        waiter.wakesOnTerminatorOnly = terminatorOnly;
        for (const Case& c : cases) {
            const std::string name =
                std::string(c.name) + (terminatorOnly ? ", waking on CR only" : "");
            link.Reset();
            line.readAvailable();
            clock = Millis{0};
            line.device = [&c](const Bytes&, Millis) { return c.arrivals; };
            const Frame f = link.Exchange(BlockRequest(0x04, 0), Millis{200}, CancelMode::Honoured);
            EXPECT_EQ(f.code(), c.code) << "case: " << name;
            EXPECT_EQ(clock, c.ended) << "case: " << name;
            EXPECT_EQ(link.TimeoutFlag(), c.ended == Millis{200}) << "case: " << name;
            clock = Millis{1000}; // lets what is left of the case arrive
            line.readAvailable();
        }
    }
}

TEST_F(Receive, TheLineIsProvenBeforeAnotherRequest) {
    // A device that answers in order, each request after the delay the case
    // gives it in turn (kLost: never). Block reads run as the case says;
    // each reply names its request by its second byte.
    constexpr int kLost = -1;
    struct Read {
        std::uint16_t address;
        Millis timeout;
        Attempt attempt;
    };
    struct Case {
        const char* name;
        std::vector<int> delays;
        std::vector<Read> reads;
        std::vector<std::pair<int, Millis>> sent; // command and time of every request
        int last;                                 // second byte of the last reply, 0 for none
        bool outOfOrder;
    };
    const Read first{0, Millis{100}, Attempt::First};
    const Read repeat{0, Millis{200}, Attempt::Repeat};
    const Read next{8, Millis{100}, Attempt::First};
    const Case cases[] = {
        {"a late reply settles its request before the barrier's answer comes",
         {2500, 1, 1},
         {first, next},
         {{4, Millis{0}}, {3, Millis{100}}, {4, Millis{2500}}},
         '8',
         false},
        {"a lost reply: the barrier's answer proves the line",
         {kLost, 1, 1},
         {first, next},
         {{4, Millis{0}}, {3, Millis{100}}, {4, Millis{101}}},
         '8',
         false},
        {"the barrier lost too: sent again after a silent horizon",
         {kLost, kLost, 1, 1},
         {first, next},
         {{4, Millis{0}}, {3, Millis{100}}, {3, Millis{3100}}, {4, Millis{3101}}},
         '8',
         false},
        {"a line that stays silent is given up after the barrier's attempts",
         {kLost},
         {first, next},
         {{4, Millis{0}},
          {3, Millis{100}},
          {3, Millis{3100}},
          {3, Millis{3300}},
          {3, Millis{3600}}},
         0,
         true},
        {"a reply to an earlier attempt of the same request is taken",
         {150, 150, 1, 1},
         {first, repeat},
         {{4, Millis{0}}, {4, Millis{100}}},
         '0',
         false},
        {"the repeat's own reply is still owed before another request",
         {150, 150, 1, 1},
         {first, repeat, next},
         {{4, Millis{0}}, {4, Millis{100}}, {3, Millis{150}}, {4, Millis{250}}},
         '8',
         false},
        {"the same block as a new exchange is another request",
         {kLost, 1, 1},
         {first, first},
         {{4, Millis{0}}, {3, Millis{100}}, {4, Millis{101}}},
         '0',
         false},
    };
    for (const Case& c : cases) {
        clock = Millis{0};
        FakeLine caseLine{clock};
        FakeWaiter caseWaiter{clock, caseLine, [] { return false; }};
        caseWaiter.wakesOnTerminatorOnly = true;
        FrameLink caseLink{caseLine, caseWaiter};
        std::string reason;
        ASSERT_TRUE(caseLine.open("COM 1", reason));
        std::size_t heard = 0;
        Millis lastReply{0};
        caseLine.device = [&](const Bytes& wire, Millis now) {
            const int delay = heard < c.delays.size() ? c.delays[heard] : kLost;
            ++heard;
            if (delay == kLost)
                return std::vector<Arrival>{};
            lastReply = std::max(now + Millis{delay}, lastReply + Millis{1});
            return std::vector<Arrival>{{lastReply, Reply({wire[0] + 0x80, wire[1]})}};
        };
        Frame last;
        for (const Read& r : c.reads)
            last = caseLink.Exchange(BlockRequest(0x04, r.address), r.timeout, CancelMode::Honoured,
                                     r.attempt);
        std::vector<std::pair<int, Millis>> sent;
        for (const SentFrame& f : caseLine.sent())
            sent.emplace_back(f.wire[0], f.at);
        if (c.outOfOrder) {
            // Twelve barriers, waiting 3 s, then 200, 300, ... 1200 ms.
            EXPECT_EQ(sent.size(), 13u) << "case: " << c.name;
            EXPECT_EQ(clock, Millis{10800}) << "case: " << c.name;
            sent.resize(std::min(sent.size(), c.sent.size()));
        }
        EXPECT_EQ(sent, c.sent) << "case: " << c.name;
        EXPECT_EQ(last.length > 0 ? last.data[1] : 0, c.last) << "case: " << c.name;
        EXPECT_EQ(caseLink.OutOfOrder(), c.outOfOrder) << "case: " << c.name;
    }
}

TEST_F(Receive, APortLostDuringTheBarrierEndsItAtOnce) {
    line.device = [](const Bytes&, Millis) { return std::vector<Arrival>{}; };
    EXPECT_EQ(link.Exchange(BlockRequest(0x04, 0), Millis{100}, CancelMode::Ignored).length, 0);
    line.arrive(Millis{1000}, Reply({0x81}));
    waiter.onWait = [this] {
        if (clock >= Millis{1000})
            line.lose();
    };
    EXPECT_EQ(link.Exchange(BlockRequest(0x04, 8), Millis{100}, CancelMode::Ignored).length, 0);
    EXPECT_TRUE(link.Cancelled());
    EXPECT_FALSE(link.OutOfOrder());
    EXPECT_EQ(clock, Millis{1000});
    EXPECT_EQ(line.sent().size(), 2u) << "only the barrier went out";
}

TEST_F(Receive, RepeatsGoOutAtOnceThenABarrierBeforeAnyOtherRequest) {
    // Silence to the first two sendings of a block read; the third is
    // answered at once, and so is every request after it.
    int sendings = 0;
    line.device = [&sendings](const Bytes& wire, Millis now) {
        if (wire[0] == kBarrierCommand)
            return std::vector<Arrival>{{now + Millis{1}, Reply({0x83, '1'})}};
        if (wire[1] != '0' || ++sendings >= 3)
            return std::vector<Arrival>{{now + Millis{1}, Reply({0x84, wire[1]})}};
        return std::vector<Arrival>{};
    };
    const auto read = [this](std::uint16_t address, Millis timeout,
                             Attempt attempt = Attempt::First) {
        return link.Exchange(BlockRequest(0x04, address), timeout, CancelMode::Ignored, attempt);
    };
    EXPECT_EQ(read(0, Millis{100}).length, 0);
    EXPECT_EQ(read(0, Millis{200}, Attempt::Repeat).length, 0);
    EXPECT_EQ(read(0, Millis{300}, Attempt::Repeat).data[1], '0');
    EXPECT_EQ(read(0, Millis{100}).data[1], '0') << "a new exchange for the same block";
    EXPECT_EQ(read(8, Millis{100}).data[1], '8') << "no barrier after a clean exchange";
    EXPECT_EQ(link.Exchange(MakeRequest(0x03), Millis{100}, CancelMode::Ignored).code(), 0x83)
        << "the hardware query is its own barrier";
    EXPECT_EQ(read(40, Millis{100}).data[1], '8');
    std::vector<std::pair<int, Millis>> sent;
    for (const SentFrame& s : line.sent())
        sent.emplace_back(s.wire[0], s.at);
    const std::vector<std::pair<int, Millis>> expected{
        {4, Millis{0}},   {4, Millis{100}}, {4, Millis{300}}, {3, Millis{301}},
        {4, Millis{302}}, {4, Millis{303}}, {3, Millis{304}}, {4, Millis{305}}};
    EXPECT_EQ(sent, expected);
}

TEST_F(Receive, CancelEndsTheBarrierOfAHonouredExchange) {
    line.device = [](const Bytes&, Millis) { return std::vector<Arrival>{}; };
    EXPECT_EQ(link.Exchange(BlockRequest(0x04, 0), Millis{100}, CancelMode::Honoured).length, 0);
    waiter.onWait = [this] {
        if (clock >= Millis{1000})
            cancel = true;
    };
    line.arrive(Millis{1000}, Reply({0x81}));
    EXPECT_EQ(link.Exchange(BlockRequest(0x04, 8), Millis{100}, CancelMode::Honoured).length, 0);
    EXPECT_TRUE(link.Cancelled());
    ASSERT_EQ(line.sent().size(), 2u) << "only the barrier went out";
    EXPECT_EQ(line.sent()[1].wire[0], kBarrierCommand);
    EXPECT_EQ(clock, Millis{1000});

    // The barrier was not answered, so the next exchange sends another.
    cancel = false;
    waiter.onWait = nullptr;
    line.device = [](const Bytes& wire, Millis now) {
        return std::vector<Arrival>{{now + Millis{1}, Reply({wire[0] + 0x80, '6'})}};
    };
    EXPECT_EQ(link.Exchange(BlockRequest(0x04, 16), Millis{100}, CancelMode::Ignored).data[1], '6');
    ASSERT_EQ(line.sent().size(), 4u);
    EXPECT_EQ(line.sent()[2].wire[0], kBarrierCommand);
}

TEST_F(Receive, SendFailureReturnsAtOnce) {
    line.close();
    const Frame f = link.Exchange(MakeRequest(0x01), Millis{500}, CancelMode::Ignored);
    EXPECT_EQ(f.length, 0);
    EXPECT_TRUE(link.SendFailed());
    EXPECT_EQ(clock, Millis{0});
}

} // namespace
} // namespace rq7::device::test
