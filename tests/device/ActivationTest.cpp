#include "device/PortDiagnosis.h"
#include "tests/device/LinkFixture.h"

namespace rq7::device::test {
namespace {

class Activation : public LinkFixture {};

TEST_F(Activation, OutcomesByModelAndVersion) {
    struct Case {
        const char* name;
        std::uint32_t code;
        int major, minor;
        ActivationOutcome outcome;
        ConnectionState state;
        const char* product;
        std::vector<std::string> messages; // keys asked after msg026
    };
    const Case cases[] = {
        {"RQ7 default minimum",
         0x03D302,
         1,
         2,
         ActivationOutcome::Activated,
         ConnectionState::Aktivni,
         "RQ7",
         {}},
        {"RQ7_01 at its minimum",
         0x88D302,
         1,
         5,
         ActivationOutcome::Activated,
         ConnectionState::Aktivni,
         "RQ7_01",
         {}},
        {"RQ7_01 below its minimum",
         0x88D302,
         1,
         4,
         ActivationOutcome::VersionTooOld,
         ConnectionState::AktivniSpatnaVerze,
         "RQ7_01",
         {"msg030"}},
        {"TMV below the default",
         0x34AF02,
         1,
         1,
         ActivationOutcome::VersionTooOld,
         ConnectionState::AktivniSpatnaVerze,
         "TMV",
         {"msg030"}},
        {"version 1.10 counts as 1.1",
         0x34AF02,
         1,
         10,
         ActivationOutcome::VersionTooOld,
         ConnectionState::AktivniSpatnaVerze,
         "TMV",
         {"msg030"}},
        {"RQ7_04 by its second code",
         0x8AD302,
         2,
         0,
         ActivationOutcome::Activated,
         ConnectionState::Aktivni,
         "RQ7_04",
         {}},
        {"unknown model",
         0x123456,
         0,
         1,
         ActivationOutcome::UnknownModel,
         ConnectionState::Aktivni,
         "?",
         {"msg028"}},
    };
    for (const Case& c : cases) {
        device.code = c.code;
        device.major = c.major;
        device.minor = c.minor;
        prompter.asked.clear();
        const ActivationResult r = link.Activate("COM 2");
        EXPECT_EQ(r.outcome, c.outcome) << "case: " << c.name;
        EXPECT_EQ(r.state, c.state) << "case: " << c.name;
        EXPECT_EQ(link.state(), c.state) << "case: " << c.name;
        EXPECT_EQ(r.info.lblInfoProdukt, c.product) << "case: " << c.name;
        EXPECT_EQ(r.info.lblInfoVerze, std::to_string(c.major) + "." + std::to_string(c.minor))
            << "case: " << c.name;
        EXPECT_EQ(r.info.lblInfoPamSize, "  1024 byte") << "case: " << c.name;
        EXPECT_EQ(r.info.eepromSize, 1024) << "case: " << c.name;
        EXPECT_EQ(r.info.lblInfoModem, "TC35 Siemens") << "case: " << c.name;
        std::vector<std::string> expected{"msg026"};
        expected.insert(expected.end(), c.messages.begin(), c.messages.end());
        EXPECT_EQ(prompter.keys(), expected) << "case: " << c.name;
        EXPECT_TRUE(line.isOpen()) << "case: " << c.name;
        EXPECT_FALSE(status.visible) << "case: " << c.name;
    }
}

TEST_F(Activation, MessagesCarryTheirTexts) {
    device.code = 0x88D302;
    device.major = 1;
    device.minor = 4;
    link.Activate("COM 1");
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].icon, Icon::Information);
    EXPECT_EQ(prompter.asked[0].text, texts.get("msg026"));
    EXPECT_EQ(prompter.asked[1].icon, Icon::Critical);
    EXPECT_EQ(prompter.asked[1].text,
              "Touto verzí programu lze naprogramovat pouze zařízení s procesorem verze 1.5 a "
              "vyšší.");
    EXPECT_EQ(status.shown, std::vector<std::string>{texts.get("msg027")});

    device.code = 0x010203;
    prompter.asked.clear();
    link.Activate("COM 1");
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[1].icon, Icon::Information);
    EXPECT_EQ(prompter.asked[1].text,
              texts.get("msg028") + "\r\n" + texts.get("msg028b") +
                  "TMV, PKJ, RQ7, VOCALIX, RQ7_01, RQ7_04, RQ7_04, RQ7_06, RQ7_07, RQ7_08");
}

TEST_F(Activation, LabelsChangeBeforeTheMessagesThatFollow) {
    // What the labels show at the moment each message is asked.
    struct Case {
        const char* name;
        std::uint32_t code;
        int minor;
        bool hardwareAnswers;
        const char* key;
        const char* product;
        const char* version;
    };
    const Case cases[] = {
        {"unknown model", 0x123456, 0, true, "msg028", "?", "1.0"},
        {"version below the minimum", 0x88D302, 4, true, "msg030", "RQ7_01", "1.4"},
        {"no hardware answer after the identification", 0x88D302, 5, false, "msg032", "?", "?"},
    };
    for (const Case& c : cases) {
        device.code = c.code;
        device.major = 1;
        device.minor = c.minor;
        device.fault = nullptr;
        if (!c.hardwareAnswers)
            device.fault = [](const TestDevice::Request& r, std::size_t,
                              Millis) -> std::optional<std::vector<Arrival>> {
                if (r.command == 0x03)
                    return std::vector<Arrival>{};
                return std::nullopt;
            };
        DeviceInfo shown;
        shown.lblInfoProdukt = "before";
        shown.lblInfoVerze = "before";
        ActivationOptions options;
        options.showInfo = [&shown](const DeviceInfo& info) { shown = info; };
        std::optional<DeviceInfo> whenAsked;
        prompter.onAsk = [&](const Message& message) {
            if (message.key == c.key)
                whenAsked = shown;
        };
        const ActivationResult r = link.Activate("COM 1", options);
        prompter.onAsk = nullptr;
        ASSERT_TRUE(whenAsked) << "case: " << c.name;
        EXPECT_EQ(whenAsked->lblInfoProdukt, c.product) << "case: " << c.name;
        EXPECT_EQ(whenAsked->lblInfoVerze, c.version) << "case: " << c.name;
        EXPECT_EQ(whenAsked->lblInfoPamSize, "?") << "case: " << c.name;
        EXPECT_EQ(whenAsked->lblInfoModem, "?") << "case: " << c.name;
        // The result still carries the final labels.
        EXPECT_EQ(r.info.lblInfoPamSize, c.hardwareAnswers ? "  1024 byte" : "?")
            << "case: " << c.name;
    }
}

TEST_F(Activation, HardwareCodesWithoutARowStayUnknown) {
    device.memoryCode = 10;
    device.modemCode = 5;
    const ActivationResult r = link.Activate("COM 1");
    EXPECT_EQ(r.state, ConnectionState::Aktivni);
    EXPECT_EQ(r.info.lblInfoPamSize, "?");
    EXPECT_EQ(r.info.eepromSize, 0);
    EXPECT_EQ(r.info.lblInfoModem, "?");
}

TEST_F(Activation, RequestsOnTheWire) {
    ActivateOk();
    ASSERT_EQ(line.sent().size(), 3u);
    EXPECT_EQ(line.sent()[0].wire, (Bytes{0x01, 0x02, 0x0D}));
    EXPECT_EQ(line.sent()[1].wire, (Bytes{0x02, 0x03, 0x0D}));
    EXPECT_EQ(line.sent()[2].wire, (Bytes{0x03, 0x04, 0x0D}));
    EXPECT_EQ(line.openedName(), "COM 1");
}

TEST_F(Activation, ProgrammingRequestRepeatsEvery500msUntilAnswered) {
    device.ignoredProgrammingRequests = 6;
    ActivateOk();
    const auto polls = Sent(0x01);
    ASSERT_EQ(polls.size(), 7u);
    for (std::size_t i = 1; i < polls.size(); ++i)
        EXPECT_EQ((polls[i].at - polls[i - 1].at).count(), 500) << "poll " << i;
    EXPECT_EQ(TimeoutsOfRequests(line, waiter, 0x02), std::vector<long>{100});
    EXPECT_EQ(TimeoutsOfRequests(line, waiter, 0x03), std::vector<long>{100});
}

TEST_F(Activation, IdentificationFollowsTheProgrammingAnswerAtOnce) {
    // However many polls went unanswered while the key was not pressed, the
    // identification goes out as soon as the programming answer is in.
    for (const int ignored : {0, 1, 6}) {
        device.ignoredProgrammingRequests = ignored;
        device.log.clear();
        const std::size_t from = line.sent().size();
        ActivateOk();
        const auto polls = Sent(0x01, from);
        const auto identifications = Sent(0x02, from);
        ASSERT_EQ(polls.size(), static_cast<std::size_t>(ignored + 1)) << "case: " << ignored;
        ASSERT_EQ(identifications.size(), 1u) << "case: " << ignored;
        EXPECT_EQ(identifications[0].at, polls.back().at + device.delay) << "case: " << ignored;
        link.Deactivate();
    }
}

TEST_F(Activation, FailuresEndInactiveWithTheirMessage) {
    struct Case {
        const char* name;
        std::function<void(Activation&)> arrange;
        ActivationOutcome outcome;
        std::vector<std::string> keys;
    };
    const auto silentOn = [](std::uint8_t command) {
        return [command](Activation& t) {
            t.device.fault = [command](const TestDevice::Request& r, std::size_t,
                                       Millis) -> std::optional<std::vector<Arrival>> {
                if (r.command == command)
                    return std::vector<Arrival>{};
                return std::nullopt;
            };
        };
    };
    const auto replyOn = [](std::uint8_t command, Bytes data) {
        return [command, data](Activation& t) {
            t.device.fault = [command, data](const TestDevice::Request& r, std::size_t,
                                             Millis now) -> std::optional<std::vector<Arrival>> {
                if (r.command == command)
                    return std::vector<Arrival>{{now + Millis{5}, TestDevice::Frame(data)}};
                return std::nullopt;
            };
        };
    };
    const Case cases[] = {
        {"port does not open",
         [](Activation& t) { t.line.openFails = true; },
         ActivationOutcome::PortFailed,
         {"msg025"}},
        {"no identification", silentOn(0x02), ActivationOutcome::Failed, {"msg026", "msg032"}},
        {"identification with a wrong code",
         replyOn(0x02, {0x83}),
         ActivationOutcome::Failed,
         {"msg026", "msg032"}},
        {"identification too short",
         replyOn(0x02, {0x82, '2', '0', '3', 'D'}),
         ActivationOutcome::Failed,
         {"msg026", "msg032"}},
        {"identification not hex",
         replyOn(0x02, {0x82, '2', '0', '3', 'D', '3', '0', '5', '0', '1', 'Q'}),
         ActivationOutcome::Failed,
         {"msg026", "msg032"}},
        {"no hardware answer", silentOn(0x03), ActivationOutcome::Failed, {"msg026", "msg032"}},
        {"hardware answer without payload",
         replyOn(0x03, {0x83}),
         ActivationOutcome::Failed,
         {"msg026", "msg032"}},
    };
    for (const Case& c : cases) {
        Activation& self = *this;
        self.line.openFails = false;
        self.device.fault = nullptr;
        prompter.asked.clear();
        c.arrange(self);
        const ActivationResult r = link.Activate("COM 3");
        EXPECT_EQ(r.outcome, c.outcome) << "case: " << c.name;
        EXPECT_EQ(r.state, ConnectionState::Neaktivni) << "case: " << c.name;
        EXPECT_EQ(r.info.lblInfoProdukt, "?") << "case: " << c.name;
        EXPECT_EQ(r.info.lblInfoPamSize, "?") << "case: " << c.name;
        EXPECT_EQ(prompter.keys(), c.keys) << "case: " << c.name;
        EXPECT_EQ(prompter.asked.back().icon, Icon::Critical) << "case: " << c.name;
        EXPECT_FALSE(line.isOpen()) << "case: " << c.name;
        EXPECT_FALSE(status.visible) << "case: " << c.name;
    }
}

TEST_F(Activation, PortFailureNamesThePortAndTheReason) {
    line.openFails = true;
    line.openFailReason = "/dev/ttyS2: Permission denied";
    const ActivationResult r = link.Activate("COM 3");
    EXPECT_EQ(r.portError, "/dev/ttyS2: Permission denied");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Nelze otevřít port COM 3.\n/dev/ttyS2: Permission denied");
    EXPECT_TRUE(line.sent().empty());
}

TEST_F(Activation, StornoWhileTheDeviceIsSilent) {
    device.ignoredProgrammingRequests = 1000;
    line.onSent = [this](const SentFrame&) {
        if (Sent(0x01).size() == 4)
            status.cancel = true;
    };
    const ActivationResult r = link.Activate("COM 1");
    EXPECT_EQ(r.outcome, ActivationOutcome::Cancelled);
    EXPECT_EQ(r.state, ConnectionState::Neaktivni);
    EXPECT_EQ(Sent(0x01).size(), 4u);
    EXPECT_EQ(prompter.keys(), (std::vector<std::string>{"msg026", "msg032"}));
    EXPECT_FALSE(line.isOpen());
}

TEST_F(Activation, AnswerWaitLimitsThePolling) {
    device.ignoredProgrammingRequests = 1000;
    ActivationOptions options;
    options.answerWait = Millis{3000};
    const ActivationResult r = link.Activate("COM 1", options);
    EXPECT_EQ(r.outcome, ActivationOutcome::NoAnswer);
    EXPECT_EQ(Sent(0x01).size(), 6u);
    EXPECT_EQ(prompter.keys(), (std::vector<std::string>{"msg026", "msg032"}));
}

TEST_F(Activation, ASilentPortBringsTheHintAfterTenSeconds) {
    device.ignoredProgrammingRequests = 1000;
    ActivationOptions options;
    options.answerWait = Millis{12000};
    link.Activate("COM 2", options);
    ASSERT_FALSE(status.waiting.empty());
    const auto firstHint = std::find_if(status.waiting.begin(), status.waiting.end(),
                                        [](const auto& shown) { return !shown.second.empty(); });
    ASSERT_NE(firstHint, status.waiting.end());
    EXPECT_EQ(firstHint->first, FillIn(texts.get("msg081"), {"10"}));
    EXPECT_EQ(std::prev(firstHint)->first, FillIn(texts.get("msg081"), {"9"}));
    EXPECT_EQ(firstHint->second, FillIn(texts.get("msg082"), {"COM 2"}));
}

TEST_F(Activation, BytesThatAreNoFrameMakeTheHintSaySo) {
    device.ignoredProgrammingRequests = 1000;
    line.onSent = [this](const SentFrame& sent) {
        if (Sent(0x01).size() == 2)
            line.arrive(sent.at + Millis{50}, {0x55, 0xAA, 0x13, 0x0D}); // a bad checksum
    };
    ActivationOptions options;
    options.answerWait = Millis{11000};
    link.Activate("COM 1", options);
    ASSERT_FALSE(status.waiting.empty());
    EXPECT_EQ(status.waiting.back().second, FillIn(texts.get("msg083"), {"COM 1", "4"}));
}

TEST_F(Activation, APortLostWhileWaitingEndsItWithoutDeactivation) {
    device.ignoredProgrammingRequests = 1000;
    line.onSent = [this](const SentFrame&) {
        if (Sent(0x01).size() == 3)
            line.lose();
    };
    const ActivationResult r = link.Activate("COM 1");
    EXPECT_EQ(r.outcome, ActivationOutcome::ConnectionLost);
    EXPECT_EQ(r.state, ConnectionState::Neaktivni);
    EXPECT_TRUE(link.connectionLost());
    EXPECT_EQ(line.sent().size(), 3u) << "nothing is sent once the port is gone";
    EXPECT_EQ(prompter.keys(), (std::vector<std::string>{"msg026", "msg070"}));
}

TEST_F(Activation, LateProgrammingAnswersDoNotSpoilTheIdentification) {
    // The first programming request is answered after 700 ms, the repeated
    // one 202 ms after it was sent: the repeat takes the first answer, and
    // its own answer is still on its way when the link moves on.
    int polls = 0;
    device.fault = [&polls](const TestDevice::Request& r, std::size_t,
                            Millis now) -> std::optional<std::vector<Arrival>> {
        if (r.command != 0x01)
            return std::nullopt;
        const Millis latency{++polls == 1 ? 700 : 202};
        return std::vector<Arrival>{{now + latency, TestDevice::Frame({0x81})}};
    };
    const ActivationResult r = link.Activate("COM 1");
    EXPECT_EQ(r.outcome, ActivationOutcome::Activated);
    EXPECT_EQ(r.info.lblInfoProdukt, "RQ7");
    EXPECT_EQ(polls, 2);
}

class Deactivation : public LinkFixture {};

TEST_F(Deactivation, ConfirmedClosesWithoutMessage) {
    ActivateOk();
    prompter.asked.clear();
    const std::size_t before = line.sent().size();
    const DeactivationResult r = link.Deactivate();
    EXPECT_EQ(r.outcome, DeactivationOutcome::Confirmed);
    EXPECT_EQ(r.state, ConnectionState::Neaktivni);
    EXPECT_EQ(line.sent().at(before).wire, (Bytes{0x06, 0xAA, 0x55, 0x06, 0x0D}));
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(link.info().lblInfoProdukt, "?");
}

TEST_F(Deactivation, UnconfirmedAsksTheUser) {
    struct Case {
        Answer answer;
        DeactivationOutcome outcome;
        ConnectionState state;
        bool open;
    };
    const Case cases[] = {
        {Answer::Yes, DeactivationOutcome::Forced, ConnectionState::Neaktivni, false},
        {Answer::No, DeactivationOutcome::KeptActive, ConnectionState::Aktivni, true},
    };
    for (const Case& c : cases) {
        device.fault = nullptr;
        ActivateOk();
        device.fault = [](const TestDevice::Request& r, std::size_t,
                          Millis) -> std::optional<std::vector<Arrival>> {
            if (r.command == 0x06)
                return std::vector<Arrival>{};
            return std::nullopt;
        };
        prompter.asked.clear();
        prompter.answers = {c.answer};
        const DeactivationResult r = link.Deactivate();
        EXPECT_EQ(r.outcome, c.outcome) << "answer " << static_cast<int>(c.answer);
        EXPECT_EQ(link.state(), c.state) << "answer " << static_cast<int>(c.answer);
        EXPECT_EQ(line.isOpen(), c.open) << "answer " << static_cast<int>(c.answer);
        ASSERT_EQ(prompter.keys(), std::vector<std::string>{"msg033"});
        EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNo);
        EXPECT_EQ(prompter.asked[0].icon, Icon::Critical);
        link.Deactivate();
    }
}

TEST_F(Deactivation, ALeftoverStornoDoesNotCutItShort) {
    ActivateOk();
    status.cancel = true; // pressed during an earlier transfer, never cleared
    const DeactivationResult r = link.Deactivate();
    EXPECT_EQ(r.outcome, DeactivationOutcome::Confirmed);
}

TEST_F(Deactivation, NothingToDeactivate) {
    const DeactivationResult r = link.Deactivate();
    EXPECT_EQ(r.outcome, DeactivationOutcome::NotActive);
    EXPECT_TRUE(line.sent().empty());
}

} // namespace
} // namespace rq7::device::test
