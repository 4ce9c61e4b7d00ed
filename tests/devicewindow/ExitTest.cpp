// Leaving the program with a device active: btKonec asks Yes/No/Cancel, the
// close box Yes/No; Yes deactivates first, a failed deactivation may ask
// msg033, and the program ends after Yes or No whatever happened.

#include "tests/devicewindow/DeviceWindowHarness.h"

#include <gtest/gtest.h>

namespace rq7::test {
namespace {

using Keys = std::vector<std::string>;

TEST(DeviceWindowExit, WhileADeviceIsActive) {
    struct Case {
        const char* name;
        bool button; // btKonec, else the close box
        bool refuse; // the device does not confirm the end of programming
        std::deque<Answer> answers;
        Keys keys;
        bool ends;
        bool deactivated; // the end of programming was sent and confirmed
    };
    const Case cases[] = {
        {"btKonec, Cancel", true, false, {Answer::Cancel}, {"msg038"}, false, false},
        {"btKonec, No", true, false, {Answer::No}, {"msg038"}, true, false},
        {"btKonec, Yes", true, false, {Answer::Yes}, {"msg038"}, true, true},
        {"btKonec, Yes, refused, msg033 No",
         true,
         true,
         {Answer::Yes, Answer::No},
         {"msg038", "msg033"},
         true,
         false},
        {"btKonec, Yes, refused, msg033 Yes",
         true,
         true,
         {Answer::Yes, Answer::Yes},
         {"msg038", "msg033"},
         true,
         false},
        {"close box, No", false, false, {Answer::No}, {"msg038"}, true, false},
        {"close box, Yes", false, false, {Answer::Yes}, {"msg038"}, true, true},
        {"close box, Yes, refused, msg033 No",
         false,
         true,
         {Answer::Yes, Answer::No},
         {"msg038", "msg033"},
         true,
         false},
    };
    for (const Case& c : cases) {
        sim::DeviceConfig config;
        config.faults.refuseDeactivation = c.refuse;
        DeviceWindowHarness h(config);
        h.click("btDEA");
        ASSERT_EQ(h.text("tabDeAktivNapis"), "Aktivní") << "case: " << c.name;
        h.prompter.asked.clear();
        h.prompter.answers = c.answers;
        if (c.button)
            h.click("btKonec");
        else
            h.window().close();
        settle();

        ASSERT_EQ(h.prompter.keys(), c.keys) << "case: " << c.name;
        const Message& question = h.prompter.asked[0];
        EXPECT_EQ(question.buttons, c.button ? Buttons::YesNoCancel : Buttons::YesNo)
            << "case: " << c.name;
        EXPECT_EQ(question.icon, Icon::Question) << "case: " << c.name;
        EXPECT_EQ(question.text,
                  "Zařízení nebylo deaktivováno a je zřejmě stále v programovacím módu. Má se "
                  "zařízení před ukončením programu deaktivovat?")
            << "case: " << c.name;
        EXPECT_EQ(h.window().isVisible(), !c.ends) << "case: " << c.name;
        EXPECT_EQ(h.device().inProgrammingMode(), !c.deactivated) << "case: " << c.name;
        const bool yes = c.answers.front() == Answer::Yes;
        EXPECT_EQ(h.device().counters().handled[6], yes ? 1u : 0u)
            << "case: " << c.name << ": the end of programming is sent only after Yes";
    }
}

TEST(DeviceWindowExit, WithoutAnActiveDeviceEndsAtOnce) {
    for (const bool button : {true, false}) {
        DeviceWindowHarness h;
        // Activated and deactivated again: nothing is active any more.
        h.click("btDEA");
        h.click("btDEA");
        h.prompter.asked.clear();
        if (button)
            h.click("btKonec");
        else
            h.window().close();
        EXPECT_TRUE(h.prompter.asked.empty()) << "case: button " << button;
        EXPECT_FALSE(h.window().isVisible()) << "case: button " << button;
    }
}

TEST(DeviceWindowExit, WrongVersionStillOffersDeactivation) {
    sim::DeviceConfig config;
    config.profile.identification = 0x88D302;
    config.profile.versionMinor = 4;
    DeviceWindowHarness h(config);
    h.click("btDEA");
    ASSERT_EQ(h.text("tabDeAktivNapis"), "Chybné zařízení");
    h.prompter.asked.clear();
    h.prompter.answers = {Answer::Yes};
    h.click("btKonec");
    EXPECT_EQ(h.prompter.keys(), (Keys{"msg038"}));
    EXPECT_FALSE(h.window().isVisible());
    EXPECT_FALSE(h.device().inProgrammingMode());
}

} // namespace
} // namespace rq7::test
