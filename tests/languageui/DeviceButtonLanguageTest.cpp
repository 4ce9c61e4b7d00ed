// btDEA decides by its caption; a language that names the two captions its
// own way must leave activation and deactivation working.

#include "device/ConnectionState.h"
#include "simulator/SimulatedDevice.h"
#include "simulator/SimulatedLink.h"
#include "tests/languageui/LanguageFiles.h"
#include "tests/languageui/LanguageProgram.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rq7::test {
namespace {

namespace fs = std::filesystem;
using device::ConnectionState;

class DeviceButtonLanguage : public ::testing::Test {
protected:
    DeviceButtonLanguage() : link(simulated) {
        fs::create_directories(programDir);
        fs::create_directories(settingsDir);
        ports.transport = &link;
        ports.waiter = &link;
        ports.setCancelProbe = [this](std::function<bool()> probe) {
            link.setCancelProbe(std::move(probe));
        };
    }
    std::string button(LanguageProgram& program) {
        return program.window()
            .findChild<QPushButton*>(QStringLiteral("btDEA"))
            ->text()
            .toStdString();
    }

    QTemporaryDir temp;
    fs::path programDir = fs::path(temp.path().toStdString()) / "program";
    fs::path settingsDir = fs::path(temp.path().toStdString()) / "settings";
    sim::SimulatedDevice simulated;
    sim::SimulatedLink link;
    DevicePorts ports;
};

TEST_F(DeviceButtonLanguage, OwnCaptionsActivateAndDeactivateAlsoAcrossAChange) {
    writeLanguageFile(
        programDir, "cz.lng",
        {"Čeština", "RQ7 Init", "C", {{"btActivate", "Zapnout"}, {"btDEActivate", "Vypnout"}}});
    writeLanguageFile(
        programDir, "en.lng",
        {"English", "RQ7 Init", "E", {{"btActivate", "Connect"}, {"btDEActivate", "Disconnect"}}});
    saveLanguage(settingsDir, "Čeština");
    LanguageProgram program(programDir, settingsDir, {}, ports);
    EXPECT_EQ(button(program), "Zapnout");

    program.click("btDEA");
    EXPECT_EQ(program.window().connectionState(), ConnectionState::Aktivni);
    EXPECT_TRUE(simulated.inProgrammingMode());
    EXPECT_EQ(button(program), "Vypnout");

    // The new language's captions while the device is active.
    program.openAbout({"English"});
    EXPECT_EQ(button(program), "Disconnect");
    EXPECT_EQ(program.window().connectionState(), ConnectionState::Aktivni);

    program.click("btDEA");
    EXPECT_EQ(program.window().connectionState(), ConnectionState::Neaktivni);
    EXPECT_FALSE(simulated.inProgrammingMode());
    EXPECT_EQ(button(program), "Connect");

    program.click("btDEA");
    EXPECT_EQ(program.window().connectionState(), ConnectionState::Aktivni);
    EXPECT_EQ(button(program), "Disconnect");
}

TEST_F(DeviceButtonLanguage, EqualCaptionsGiveWayToTheBuiltInPair) {
    writeLanguageFile(
        programDir, "same.lng",
        {"Same", "RQ7 Init", "S", {{"btActivate", "Přepnout"}, {"btDEActivate", "Přepnout"}}});
    saveLanguage(settingsDir, "Same");
    LanguageProgram program(programDir, settingsDir, {}, ports);
    EXPECT_EQ(button(program), "&Aktivovat");

    program.click("btDEA");
    EXPECT_EQ(program.window().connectionState(), ConnectionState::Aktivni);
    EXPECT_EQ(button(program), "&Deaktivovat");
    program.click("btDEA");
    EXPECT_EQ(program.window().connectionState(), ConnectionState::Neaktivni);
    EXPECT_FALSE(simulated.inProgrammingMode());
    EXPECT_EQ(button(program), "&Aktivovat");
}

} // namespace
} // namespace rq7::test
