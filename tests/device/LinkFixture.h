#pragma once
// A device link wired to a scripted device on a fake line.

#include "device/DeviceLink.h"
#include "tests/device/FakeLine.h"
#include "tests/device/TestDevice.h"

#include <gtest/gtest.h>

namespace rq7::device::test {

class LinkFixture : public ::testing::Test {
public:
    LinkFixture() {
        Connect(line, device);
        waiter.wakesOnTerminatorOnly = true; // as the event-loop waiter does
    }

    // Activates against the scripted device; fails the test unless Aktivni.
    void ActivateOk() {
        const ActivationResult result = link.Activate("COM 1");
        ASSERT_EQ(result.state, ConnectionState::Aktivni);
    }

    // Requests of one command written since `from`.
    std::vector<SentFrame> Sent(unsigned char command, std::size_t from = 0) const {
        std::vector<SentFrame> frames;
        for (std::size_t i = from; i < line.sent().size(); ++i)
            if (!line.sent()[i].wire.empty() && line.sent()[i].wire[0] == command)
                frames.push_back(line.sent()[i]);
        return frames;
    }

    Millis clock{1000};
    FakeLine line{clock};
    TestDevice device;
    RecordingStatus status;
    ScriptedPrompter prompter;
    FakeWaiter waiter{clock, line, [this] { return status.cancelRequested(); }};
    Texts texts;
    DeviceLink link{line, waiter, prompter, status, texts};
};

} // namespace rq7::device::test
