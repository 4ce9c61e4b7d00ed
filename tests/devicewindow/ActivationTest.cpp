// btDEA against the simulated device: what the window shows after each
// activation outcome and after deactivation, Storno while the device is
// awaited, and a port that does not open.

#include "device/DeviceLink.h"
#include "device/PortDiagnosis.h"
#include "tests/devicewindow/DeviceWindowHarness.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Keys = std::vector<std::string>;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

sim::DeviceConfig profile(std::uint32_t id, int major, int minor, int memory = 3, int modem = 4) {
    sim::DeviceConfig config;
    config.profile.identification = id;
    config.profile.versionMajor = static_cast<std::uint8_t>(major);
    config.profile.versionMinor = static_cast<std::uint8_t>(minor);
    config.profile.memoryCode = static_cast<std::uint8_t>(memory);
    config.profile.modemCode = static_cast<std::uint8_t>(modem);
    return config;
}

TEST(DeviceWindowActivation, LabelsStateAndButtonsOfEachOutcome) {
    struct Case {
        const char* name;
        sim::DeviceConfig config;
        const char* product;
        const char* version;
        const char* size;
        const char* modem;
        const char* free; // lblInfoPamFree with the empty settings (150 bytes)
        Keys keys;
        const char* stateText;
        bool transfers; // btEEPROMLoad and btEEPROMSave enabled
    };
    const Case cases[] = {
        {"RQ7, version at its minimum",
         profile(0x03D302, 1, 5),
         "RQ7",
         "1.5",
         "  1024 byte",
         "TC35 Siemens",
         "874 byte",
         {"msg026"},
         "Aktivní",
         true},
        {"RQ7_04 of code 8A D3 02, largest EEPROM",
         profile(0x8AD302, 2, 0, 9, 0),
         "RQ7_04",
         "2.0",
         " 65536 byte",
         "M1 Siemens",
         "65386 byte",
         {"msg026"},
         "Aktivní",
         true},
        {"TMV at the default minimum 1.2",
         profile(0x34AF02, 1, 2, 0, 1),
         "TMV",
         "1.2",
         "   128 byte",
         "A1 Falcom",
         "-22 byte",
         {"msg026"},
         "Aktivní",
         true},
        {"unknown model",
         profile(0x123456, 1, 0),
         "?",
         "1.0",
         "  1024 byte",
         "TC35 Siemens",
         "874 byte",
         {"msg026", "msg028"},
         "Aktivní",
         true},
        {"RQ7_01 below its minimum",
         profile(0x88D302, 1, 4),
         "RQ7_01",
         "1.4",
         "  1024 byte",
         "TC35 Siemens",
         "874 byte",
         {"msg026", "msg030"},
         "Chybné zařízení",
         false},
        {"TMV below the default minimum",
         profile(0x34AF02, 1, 1),
         "TMV",
         "1.1",
         "  1024 byte",
         "TC35 Siemens",
         "874 byte",
         {"msg026", "msg030"},
         "Chybné zařízení",
         false},
        {"memory and modem codes without rows",
         profile(0x03D302, 1, 5, 10, 5),
         "RQ7",
         "1.5",
         "?",
         "?",
         "?",
         {"msg026"},
         "Aktivní",
         true},
    };
    for (const Case& c : cases) {
        DeviceWindowHarness h(c.config);
        h.click("btDEA");
        EXPECT_EQ(h.prompter.keys(), c.keys) << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoProdukt"), c.product) << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoVerze"), c.version) << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoPamSize"), c.size) << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoModem"), c.modem) << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoPamUsage"), "150 byte") << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoPamFree"), c.free) << "case: " << c.name;
        EXPECT_EQ(h.colour("lblInfoPamFree"), c.free[0] == '-' ? kRed : kBlue)
            << "case: " << c.name;
        EXPECT_EQ(h.text("tabDeAktivNapis"), c.stateText) << "case: " << c.name;
        EXPECT_EQ(h.colour("tabDeAktivNapis"), kBlue) << "case: " << c.name;
        EXPECT_EQ(h.text("btDEA"), "&Deaktivovat") << "case: " << c.name;
        EXPECT_FALSE(h.enabled("tabPort")) << "case: " << c.name;
        EXPECT_EQ(h.enabled("btEEPROMLoad"), c.transfers) << "case: " << c.name;
        EXPECT_EQ(h.enabled("btEEPROMSave"), c.transfers) << "case: " << c.name;
        EXPECT_FALSE(h.statusWindow()->isVisible()) << "case: " << c.name;
        EXPECT_TRUE(h.link().isOpen()) << "case: " << c.name;
        EXPECT_EQ(h.link().portName(), "COM 1") << "case: " << c.name;
        EXPECT_TRUE(h.device().inProgrammingMode()) << "case: " << c.name;

        // btDEA again: the device confirms, everything goes back silently.
        h.prompter.asked.clear();
        h.click("btDEA");
        EXPECT_TRUE(h.prompter.asked.empty()) << "case: " << c.name;
        for (const char* name :
             {"lblInfoProdukt", "lblInfoVerze", "lblInfoPamSize", "lblInfoModem", "lblInfoPamFree"})
            EXPECT_EQ(h.text(name), "?") << "case: " << c.name << ", " << name;
        EXPECT_EQ(h.text("tabDeAktivNapis"), "Neaktivní") << "case: " << c.name;
        EXPECT_EQ(h.colour("tabDeAktivNapis"), kRed) << "case: " << c.name;
        EXPECT_EQ(h.text("btDEA"), "&Aktivovat") << "case: " << c.name;
        EXPECT_TRUE(h.enabled("tabPort")) << "case: " << c.name;
        EXPECT_FALSE(h.enabled("btEEPROMLoad")) << "case: " << c.name;
        EXPECT_FALSE(h.enabled("btEEPROMSave")) << "case: " << c.name;
        EXPECT_FALSE(h.link().isOpen()) << "case: " << c.name;
        EXPECT_FALSE(h.device().inProgrammingMode()) << "case: " << c.name;
    }
}

TEST(DeviceWindowActivation, MessagesOfTheOutcomes) {
    {
        DeviceWindowHarness h(profile(0x123456, 1, 0));
        h.click("btDEA");
        const Message* unknown = h.prompter.find("msg028");
        ASSERT_NE(unknown, nullptr);
        EXPECT_EQ(unknown->text,
                  "Připojené zařízení není známo. Je sice povoleno ho naprogramovat, ale za "
                  "způsobené chyby není ručeno.\r\nMožná zařízení jsou: TMV, PKJ, RQ7, VOCALIX, "
                  "RQ7_01, RQ7_04, RQ7_04, RQ7_06, RQ7_07, RQ7_08");
        EXPECT_EQ(unknown->icon, Icon::Information);
        EXPECT_EQ(unknown->title, "RQ7 Init");
    }
    {
        DeviceWindowHarness h(profile(0x88D302, 1, 4));
        h.click("btDEA");
        const Message* old = h.prompter.find("msg030");
        ASSERT_NE(old, nullptr);
        EXPECT_EQ(old->text, "Touto verzí programu lze naprogramovat pouze zařízení s procesorem "
                             "verze 1.5 a vyšší.");
        EXPECT_EQ(old->icon, Icon::Critical);
    }
    {
        DeviceWindowHarness h;
        // The status window is up, with Storno, while the device is awaited;
        // the key prompt comes before it.
        std::vector<bool> statusShown;
        h.prompter.onAsk = [&](const Message&) {
            statusShown.push_back(h.statusWindow()->isVisible());
        };
        h.click("btDEA");
        const Message* press = h.prompter.find("msg026");
        ASSERT_NE(press, nullptr);
        EXPECT_EQ(press->icon, Icon::Information);
        EXPECT_EQ(press->buttons, Buttons::Ok);
        EXPECT_EQ(statusShown, std::vector<bool>{false});
    }
}

TEST(DeviceWindowActivation, ModelAndVersionAreShownWithTheirMessage) {
    // The labels while the message is up, not only after activation ends.
    struct Case {
        const char* name;
        sim::DeviceConfig config;
        const char* key;
        const char* product;
        const char* version;
    };
    const Case cases[] = {
        {"unknown model", profile(0x123456, 1, 0), "msg028", "?", "1.0"},
        {"version below the minimum", profile(0x88D302, 1, 4), "msg030", "RQ7_01", "1.4"},
    };
    for (const Case& c : cases) {
        DeviceWindowHarness h(c.config);
        std::vector<std::string> shown;
        h.prompter.onAsk = [&](const Message& message) {
            if (message.key == c.key)
                shown = {h.text("lblInfoProdukt"), h.text("lblInfoVerze"), h.text("lblInfoPamSize"),
                         h.text("lblInfoModem")};
        };
        h.click("btDEA");
        EXPECT_EQ(shown, (std::vector<std::string>{c.product, c.version, "?", "?"}))
            << "case: " << c.name;
        EXPECT_EQ(h.text("lblInfoPamSize"), "  1024 byte") << "case: " << c.name;
    }
}

TEST(DeviceWindowActivation, StornoWhileTheDeviceIsAwaited) {
    sim::DeviceConfig config;
    config.pressAfter = std::chrono::hours(1); // nobody presses the key
    DeviceWindowHarness h(config);
    h.pressStornoAtWait(5);
    h.click("btDEA");
    EXPECT_EQ(h.stornoShownWith, "Zapněte zařízení. Program se pokouší navázat komunikaci.");
    EXPECT_EQ(h.prompter.keys(), (Keys{"msg026", "msg032"}));
    const Message* failed = h.prompter.find("msg032");
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(failed->text, "Při pokusu aktivovat spojení nastala chyba.");
    EXPECT_EQ(failed->icon, Icon::Critical);
    EXPECT_EQ(h.text("tabDeAktivNapis"), "Neaktivní");
    EXPECT_EQ(h.colour("tabDeAktivNapis"), kRed);
    EXPECT_EQ(h.text("btDEA"), "&Aktivovat");
    EXPECT_TRUE(h.enabled("tabPort"));
    EXPECT_FALSE(h.enabled("btEEPROMLoad"));
    EXPECT_FALSE(h.link().isOpen()) << "the port is closed again";
    EXPECT_FALSE(h.statusWindow()->isVisible());
    EXPECT_FALSE(h.window().deviceCommands().busy());

    // The next activation starts afresh (CancelFlag cleared by the status
    // window), and the key is pressed this time.
    h.device().setPressAfter(sim::Micros{0});
    h.prompter.asked.clear();
    h.click("btDEA");
    EXPECT_EQ(h.prompter.keys(), (Keys{"msg026"}));
    EXPECT_EQ(h.text("tabDeAktivNapis"), "Aktivní");
}

TEST(DeviceWindowActivation, APortThatDoesNotOpenIsNamedWithTheSystemsReason) {
    struct Case {
        const char* name;
        std::string port;   // typed into tabPort; empty: "COM 1" as selected
        std::string reason; // the transport's
        std::string text;   // msg025 as shown
    };
    device::OpenFailure failure;
    failure.problem = device::OpenProblem::NoPermission;
    failure.path = "/dev/ttyS0";
    failure.group = "dialout";
    const std::string denied = device::DescribeOpenFailure(failure, Texts{});
    const Case cases[] = {
        {"busy port", "", "/dev/ttyS0: Device or resource busy",
         "Nelze otevřít port COM 1.\n/dev/ttyS0: Device or resource busy"},
        {"permission denied, with the group", "", denied, "Nelze otevřít port COM 1.\n" + denied},
        {"typed path, blanks around it", "  /dev/ttyUSB7 ", "/dev/ttyUSB7: No such file",
         "Nelze otevřít port /dev/ttyUSB7.\n/dev/ttyUSB7: No such file"},
    };
    for (const Case& c : cases) {
        DeviceWindowHarness h;
        if (!c.port.empty())
            h.typePort(c.port);
        h.link().setOpenFailure(c.reason);
        h.click("btDEA");
        ASSERT_EQ(h.prompter.keys(), (Keys{"msg025"})) << "case: " << c.name;
        EXPECT_EQ(h.prompter.asked[0].text, c.text) << "case: " << c.name;
        EXPECT_EQ(h.prompter.asked[0].icon, Icon::Critical) << "case: " << c.name;
        EXPECT_EQ(h.text("tabDeAktivNapis"), "Neaktivní") << "case: " << c.name;
        EXPECT_EQ(h.text("btDEA"), "&Aktivovat") << "case: " << c.name;
        EXPECT_TRUE(h.enabled("tabPort")) << "case: " << c.name;
        EXPECT_FALSE(h.statusWindow()->isVisible()) << "case: " << c.name;
        EXPECT_EQ(h.device().counters().handled[1], 0u) << "case: " << c.name;
    }
    EXPECT_NE(denied.find("dialout"), std::string::npos) << denied;
}

TEST(DeviceWindowActivation, AFailedDeactivationAsksAndNoKeepsTheDeviceActive) {
    sim::DeviceConfig config;
    config.faults.refuseDeactivation = true;
    DeviceWindowHarness h(config);
    h.click("btDEA");
    ASSERT_EQ(h.text("tabDeAktivNapis"), "Aktivní");

    h.prompter.asked.clear();
    h.prompter.answers = {Answer::No};
    h.click("btDEA");
    ASSERT_EQ(h.prompter.keys(), (Keys{"msg033"}));
    EXPECT_EQ(h.prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(h.prompter.asked[0].icon, Icon::Critical);
    EXPECT_EQ(h.text("tabDeAktivNapis"), "Aktivní");
    EXPECT_EQ(h.text("btDEA"), "&Deaktivovat");
    EXPECT_TRUE(h.enabled("btEEPROMLoad"));
    EXPECT_EQ(h.text("lblInfoProdukt"), "RQ7");
    EXPECT_TRUE(h.link().isOpen());

    h.prompter.asked.clear();
    h.prompter.answers = {Answer::Yes};
    h.click("btDEA");
    EXPECT_EQ(h.prompter.keys(), (Keys{"msg033"}));
    EXPECT_EQ(h.text("tabDeAktivNapis"), "Neaktivní");
    EXPECT_EQ(h.text("lblInfoProdukt"), "?");
    EXPECT_FALSE(h.enabled("btEEPROMLoad"));
    EXPECT_FALSE(h.link().isOpen());
}

// The caption only shows the state: a foreign one changes nothing.
TEST(DeviceWindowActivation, BtDeaDecidesOnTheLinksState) {
    DeviceWindowHarness h;
    using device::ConnectionState;
    for (const ConnectionState after : {ConnectionState::Aktivni, ConnectionState::Neaktivni}) {
        h.button("btDEA")->setText(QStringLiteral("Jiný text"));
        h.click("btDEA");
        EXPECT_EQ(h.window().connectionState(), after);
        EXPECT_EQ(h.device().inProgrammingMode(), after == ConnectionState::Aktivni);
    }
}

} // namespace
} // namespace rq7::test
