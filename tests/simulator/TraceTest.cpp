// The serial traffic trace of one activation and one block read against the
// simulated device.

#include "device/Trace.h"

#include "device/DeviceLink.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/stat.h>

namespace rq7::device {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// What follows the time stamp: the direction and the frame's bytes.
std::string Sent(const Frame& frame) {
    std::string text = ">";
    char pair[4];
    for (std::uint8_t byte : EncodeFrame(frame)) {
        std::snprintf(pair, sizeof pair, " %02X", byte);
        text += pair;
    }
    return text;
}

TEST(Trace, OneLinePerFrameOfAnActivationAndABlockRead) {
    sim::SimulatedDevice device{sim::DeviceConfig{}};
    sim::SimulatedLink link(device);
    std::ostringstream out;
    TraceTransport transport(link, link, out);
    TraceWaiter waiter(link, transport);
    test::RecordingStatus status;
    test::ScriptedPrompter prompter;
    const Texts texts;
    DeviceLink dl(transport, waiter, prompter, status, texts);

    ASSERT_EQ(dl.Activate("COM 1").state, ConnectionState::Aktivni);
    ASSERT_TRUE(dl.ReadBlock(8));
    dl.Deactivate();

    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_GE(lines.size(), 10u);
    const std::regex shape(R"(^ *\d+\.\d{3} ([<>!]( [0-9A-F]{2})+(  \(\w+\))?|- .+)$)");
    for (const std::string& line : lines)
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_EQ(lines.front(), "    0.000 - open COM 1");
    EXPECT_EQ(lines.back().substr(10), "- close");

    // Each request is followed by its reply.
    const auto request = [&](const Frame& frame) {
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i].substr(10) == Sent(frame))
                return i;
        return lines.size();
    };
    for (std::uint8_t command : {0x01, 0x02, 0x03}) {
        const std::size_t at = request(MakeRequest(command));
        ASSERT_LT(at, lines.size()) << "command " << int(command);
        char answer[8];
        std::snprintf(answer, sizeof answer, "< %02X", command + 0x80);
        EXPECT_EQ(lines[at + 1].substr(10, 4), answer) << "command " << int(command);
    }
    const std::size_t read = request(BlockRequest(0x04, 8));
    ASSERT_LT(read, lines.size());
    EXPECT_EQ(lines[read + 1].substr(10, 4), "< 84");
}

// A file that cannot take the trace never holds the transfer up: a FIFO
// (which no one reads) is refused at once, a full file is reported once.
TEST(Trace, AFileThatCannotTakeTheTraceNeverStopsTheTransfer) {
    const test::TempDir dir;
    sim::SimulatedDevice device{sim::DeviceConfig{}};
    sim::SimulatedLink link(device);
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Trace refused(fifo, link, link);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), fifo + ": not a regular file");

    Trace full((dir / "trace").string(), link, link);
    ASSERT_TRUE(full.ok());
    std::vector<std::string> reports;
    full.onWriteError([&](const std::string& report) { reports.push_back(report); });
    test::RecordingStatus status;
    test::ScriptedPrompter prompter;
    const Texts texts;
    DeviceLink dl(full.transport(), full.waiter(), prompter, status, texts);
    {
        test::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.ok());
        ASSERT_EQ(dl.Activate("COM 1").state, ConnectionState::Aktivni);
        EXPECT_TRUE(dl.ReadBlock(8));
    }
    EXPECT_EQ(reports,
              std::vector<std::string>{(dir / "trace").string() + ": " + std::strerror(EFBIG)});
}

} // namespace
} // namespace rq7::device
