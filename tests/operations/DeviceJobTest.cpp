// The device job's outcomes against the simulated device, and the record
// each one leaves.

#include "operations/DeviceJob.h"

#include "device/DeviceLink.h"
#include "operations/InstallationLog.h"
#include "simulator/SimulatedLink.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rq7 {
namespace {

constexpr const char* kWriting = "msg047"; // the status text of the block write

SettingsRecord station(const std::string& name, const std::string& pin) {
    SettingsRecord r;
    r.tabJmenoStanice = name;
    r.tabPIN = pin;
    r.tabTC[0] = "+420601111111";
    return r;
}

TEST(DeviceJob, EachOutcomeEndsTheJobAndItsRecord) {
    struct Case {
        const char* name;
        sim::DeviceConfig device;
        bool programmed;  // the device holds station("New", "1111") before
        bool storno;      // Storno as the write starts
        const char* told; // the key of the message that ended the job
        std::optional<InstallResult> record;
        const char* changed; // "all", "?" (unknown: no backup), or the one changed field
    };
    sim::DeviceConfig plain;
    sim::DeviceConfig tiny = plain;
    tiny.profile.memoryCode = 0; // 128 bytes: the settings do not fit
    sim::DeviceConfig badWrites = plain;
    badWrites.faults.badWrite = 1;
    sim::DeviceConfig oldVersion = plain;
    oldVersion.profile.identification = 0x88D302; // RQ7_01, below its minimum at 1.4
    oldVersion.profile.versionMinor = 4;
    const Case cases[] = {
        {"blank device", plain, false, false, "msg023", InstallResult::Written, "all"},
        {"programmed device", plain, true, false, "msg023", InstallResult::Written, "tabPIN"},
        {"settings over the EEPROM", tiny, false, false, "msg018", InstallResult::Failed, "?"},
        {"every block written wrong", badWrites, false, false, "msg021", InstallResult::Failed,
         "all"},
        {"Storno during the write", plain, false, true, "msg021", InstallResult::Cancelled, "all"},
        {"version below the minimum", oldVersion, false, false, "msg030", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        test::ScriptedPrompter prompter;
        test::RecordingStatus status;
        const Texts texts;
        sim::SimulatedDevice device(c.device);
        if (c.programmed) {
            const std::string old = SettingsImageBytes(station("New", "1111"));
            device.loadEeprom(sim::Bytes(old.begin(), old.end()));
        }
        const sim::Bytes before = device.eeprom();
        sim::SimulatedLink line(device);
        device::DeviceLink link(line, line, prompter, status, texts);
        if (c.storno)
            line.setCancelProbe([&] {
                return status.cancel =
                           status.cancel ||
                           (!status.shown.empty() && status.shown.back() == texts.get(kWriting));
            });

        DeviceJobSetup setup;
        setup.port = "sim";
        setup.backupFolder = dir / "backups";
        setup.record = {dir / "log", "Jan", {}, "base.eep", std::string("t.csv"), 2};
        const SettingsRecord settings = station("New", "2222");
        const DeviceJobResult job = RunDeviceJob(link, settings, setup, prompter, status, texts);

        EXPECT_EQ(job.told.key, c.told);
        EXPECT_EQ(job.written(), c.record == InstallResult::Written);
        EXPECT_FALSE(device::IsActive(link.state())) << "the job deactivates";
        std::vector<InstallationRecord> records;
        int skipped = 0;
        std::string error;
        ASSERT_TRUE(ReadInstallations(dir / "log", records, skipped, error)) << error;
        ASSERT_EQ(records.size(), c.record ? 1u : 0u);
        if (!c.record || c.told == std::string("msg018")) {
            EXPECT_EQ(device.eeprom(), before) << "nothing was written";
        }
        if (!c.record)
            continue;
        const InstallationRecord& r = records.front();
        EXPECT_EQ(r.result, *c.record);
        EXPECT_EQ(r.detail.substr(0, 6), c.told);
        EXPECT_EQ(r.station, "New");
        EXPECT_EQ(r.port, "sim");
        EXPECT_EQ(r.model, "RQ7");
        EXPECT_EQ(r.eeprom, static_cast<long>(device.eeprom().size()));
        EXPECT_EQ(*r.series, "t.csv");
        EXPECT_EQ(r.row, 2);
        EXPECT_EQ(r.verify, r.result == InstallResult::Written);
        EXPECT_EQ(r.changedAll, std::string(c.changed) == "all");
        EXPECT_EQ(r.changed.has_value(), !r.changedAll && std::string(c.changed) != "?");
        if (r.changed) {
            EXPECT_EQ(*r.changed, std::vector<std::string>{c.changed});
            ASSERT_TRUE(r.backup.has_value());
        }
        const std::string image = SettingsImageBytes(settings);
        EXPECT_EQ(r.imageSha256, Sha256Hex(image));
        EXPECT_EQ(r.imageLength, static_cast<long>(image.size()));
        if (r.result == InstallResult::Written) {
            EXPECT_EQ(std::string(device.eeprom().begin(), device.eeprom().begin() + image.size()),
                      image);
        }
    }
}

// Two programs appending at once: every line stays whole, none is lost.
TEST(InstallationLog, ConcurrentAppendsKeepEveryLineWhole) {
    test::TempDir dir;
    constexpr int kPerWriter = 150;
    std::vector<pid_t> writers;
    for (int w = 0; w < 2; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            InstallationRecord record;
            record.detail = std::string(3000, static_cast<char>('a' + w)); // beyond a pipe's atom
            std::string error;
            for (int n = 0; n < kPerWriter; ++n) {
                record.row = n;
                record.series = "writer " + std::to_string(w);
                if (!AppendInstallation(dir / "log", record, error))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    // A line an earlier failure left without its end is no record, and
    // swallows none.
    {
        std::FILE* file = std::fopen((dir / "log" / kInstallationsFile).c_str(), "a");
        std::fputs("{\"time\":\"2026", file);
        std::fclose(file);
    }
    std::string error;
    ASSERT_TRUE(AppendInstallation(dir / "log", InstallationRecord{}, error)) << error;
    std::vector<InstallationRecord> records;
    int skipped = 0;
    ASSERT_TRUE(ReadInstallations(dir / "log", records, skipped, error)) << error;
    EXPECT_EQ(records.size(), 2u * kPerWriter + 1);
    EXPECT_EQ(skipped, 1);
    for (const InstallationRecord& r : records)
        if (r.series) {
            EXPECT_EQ(r.detail, std::string(3000, r.series->back() == '0' ? 'a' : 'b'));
        }
}

} // namespace
} // namespace rq7
