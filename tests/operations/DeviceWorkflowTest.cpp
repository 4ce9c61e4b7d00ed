#include "device/DeviceLink.h"
#include "operations/Backups.h"
#include "operations/DeviceLinkTransfer.h"
#include "operations/Workflows.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "simulator/SimulatedLink.h"
#include "tests/operations/FakeSettingsHolder.h"
#include "tests/support/Files.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace rq7 {
namespace {

using Strings = std::vector<std::string>;

SettingsRecord sampleRecord() {
    SettingsRecord r;
    r.tabJmenoStanice = "Sklad";
    r.rtNotAuthorized = "nepovoleny pristup"; // else the flag is stored off
    r.tabTC[3] = "+420603111222";
    r.tabTCPoplach[3] = kFlagOn;
    r.tabOUTNazev[0] = "svetlo";
    r.tabOUTZap[0] = "rozsvit";
    r.tabOUTVyp[0] = "zhasni";
    r.tabOUTNazev[1] = "topeni";
    r.tabOUTZap[1] = "rozsvit"; // the same state name twice is allowed
    return r;
}

// What the device holds: the image of `record`, or blank bytes.
std::unique_ptr<EepromImage> deviceImageOf(const SettingsRecord* record) {
    auto image = std::make_unique<EepromImage>();
    if (record) {
        EXPECT_TRUE(WriteImage(*record, *image).ok);
    } else {
        for (long i = 0; i < EepromImage::kSize; ++i)
            image->SetImageByte(0xFF, i);
    }
    return image;
}

// A scripted device: copies its image on a read, records a write.
class FakeTransfer : public EepromTransfer {
public:
    explicit FakeTransfer(test::RecordingStatus& status) : status_(status) {}

    std::unique_ptr<EepromImage> device = deviceImageOf(nullptr);
    bool succeed = true;
    bool writeFails = false; // only the write fails
    bool storno = false;     // the user presses Storno during the transfer
    bool pastEeprom = false; // the image would run past the EEPROM
    int reads = 0, writes = 0;
    long size = -1;
    bool verified = false;
    // Changes what the read numbered (from 1) returns.
    std::function<void(int read, EepromImage&)> spoil;

    ImageReadResult readImage(EepromImage& image, long eepromSize, const std::string&) override {
        ++reads;
        size = eepromSize;
        status_.showStatus("read");
        for (long i = 0; i < std::max(eepromSize, 8L); ++i)
            image.SetImageByte(*device->GetImageByte(i), i);
        if (spoil)
            spoil(reads, image);
        status_.cancel = storno;
        status_.hideStatus();
        ImageReadResult result;
        result.outcome = !succeed                ? ImageRead::BlockFailed
                         : storno                ? ImageRead::Cancelled
                         : !image.IsImageValid() ? ImageRead::Unprogrammed
                         : pastEeprom            ? ImageRead::PastEeprom
                                                 : ImageRead::Read;
        if (result.outcome == ImageRead::Read)
            result.length = FindImageExtent(image, eepromSize).end;
        return result;
    }
    bool writeEeprom(const EepromImage& image, long settingsSize, bool verify) override {
        ++writes;
        size = settingsSize;
        verified = verify;
        status_.showStatus("write");
        for (long i = 0; i < settingsSize; ++i)
            device->SetImageByte(*image.GetImageByte(i), i);
        status_.cancel = storno;
        status_.hideStatus();
        return succeed && !writeFails;
    }

private:
    test::RecordingStatus& status_;
};

struct Bench {
    test::FakeSettingsHolder holder;
    std::unique_ptr<EepromImage> image = std::make_unique<EepromImage>();
    test::ScriptedPrompter prompter;
    test::RecordingStatus status;
    Texts texts;
    WorkflowContext context{holder, *image, prompter, status, texts};
    FakeTransfer transfer{status};

    // The window and a device of 1 KiB hold the same sample settings.
    void holdSampleOnDevice() {
        holder.current = sampleRecord();
        holder.eepromSize = "  1024 byte";
        transfer.device = deviceImageOf(&holder.current);
    }

    Message only() const {
        EXPECT_EQ(prompter.asked.size(), 1u)
            << "messages: " << ::testing::PrintToString(prompter.keys());
        return prompter.asked.empty() ? Message{} : prompter.asked.front();
    }
};

TEST(LoadFromDevice, EveryOutcomeShowsItsOneMessage) {
    const SettingsRecord sample = sampleRecord();
    struct Case {
        const char* name;
        const SettingsRecord* contents; // nothing: a blank EEPROM
        bool succeed;
        bool storno;
        bool breakReader;
        Outcome outcome;
        const char* key;
        Icon icon;
        const char* text;
        bool pastEeprom = false;
    } cases[] = {
        {"block failed", &sample, false, false, false, Outcome::ReadFailed, "msg011",
         Icon::Critical,
         "Data nebyla \u00fasp\u011b\u0161n\u011b na\u010dtena z EEPROM. Do\u0161lo k chyb\u011b "
         "p\u0159i "
         "na\u010d\u00edt\u00e1n\u00ed bloku dat."},
        {"storno", &sample, true, true, false, Outcome::Stopped, "msg012", Icon::Information,
         "Na\u010d\u00edt\u00e1n\u00ed dat z EEPROM do po\u010d\u00edta\u010de bylo "
         "stornov\u00e1no."},
        {"blank eeprom", nullptr, true, false, false, Outcome::InvalidImage, "msg015",
         Icon::Exclamation,
         "Data nebyla \u00fasp\u011b\u0161n\u011b na\u010dtena z EEPROM. EEPROM z\u0159ejm\u011b "
         "nen\u00ed "
         "naprogramov\u00e1na."},
        {"image past the eeprom", &sample, true, false, false, Outcome::InvalidImage, "msg100",
         Icon::Exclamation,
         "Data nebyla \u00fasp\u011b\u0161n\u011b na\u010dtena z EEPROM. Nastaven\u00ed v EEPROM "
         "p\u0159esahuje jej\u00ed velikost.",
         true},
        {"unreadable field", &sample, true, false, true, Outcome::ConversionFailed, "msg034",
         Icon::Critical, "Nezn\u00e1m\u00e1 chyba p\u0159i p\u0159ekladu dat."},
        {"good image", &sample, true, false, false, Outcome::Done, "msg014", Icon::Information,
         "Data byla \u00fasp\u011b\u0161n\u011b na\u010dtena z EEPROM."},
    };
    for (const Case& c : cases) {
        Bench b;
        b.holder.eepromSize = "  1024 byte";
        b.holder.current.tabPIN = "9999";
        const SettingsRecord before = b.holder.current;
        b.transfer.device = deviceImageOf(c.contents);
        if (c.breakReader)
            b.transfer.device->SetImageByte(0x80, 62);
        b.transfer.succeed = c.succeed;
        b.transfer.storno = c.storno;
        b.transfer.pastEeprom = c.pastEeprom;

        EXPECT_EQ(LoadFromDevice(b.context, b.transfer), c.outcome) << "case: " << c.name;
        EXPECT_EQ(b.transfer.size, 1024) << "case: " << c.name;
        const Message m = b.only();
        EXPECT_EQ(m.key, c.key) << "case: " << c.name;
        EXPECT_EQ(m.icon, c.icon) << "case: " << c.name;
        EXPECT_EQ(m.text, c.text) << "case: " << c.name;
        EXPECT_EQ(m.buttons, Buttons::Ok) << "case: " << c.name;
        EXPECT_FALSE(b.status.visible) << "case: " << c.name;
        EXPECT_GE(b.holder.usageUpdates, 1) << "case: " << c.name;
        const bool reachedReader = c.outcome == Outcome::Done || c.breakReader;
        if (reachedReader) {
            EXPECT_EQ(b.holder.events, (Strings{"page:0", "apply"})) << "case: " << c.name;
            EXPECT_EQ(b.status.events.at(2), "quiet:P\u0159ev\u00e1d\u00edm data ...")
                << "case: " << c.name;
        } else {
            EXPECT_TRUE(b.holder.events.empty()) << "case: " << c.name;
            EXPECT_EQ(b.holder.current, before) << "case: " << c.name;
        }
        if (c.outcome == Outcome::Done) {
            EXPECT_EQ(b.holder.current, sample) << "case: " << c.name;
        }
    }
}

TEST(SaveToDevice, EveryOutcomeShowsItsOneMessage) {
    SettingsRecord clash = sampleRecord();
    clash.tabOUTZap[2] = "topeni"; // a state name equal to output 1's name
    SettingsRecord badChoice = sampleRecord();
    badChoice.tabKOMUNIKParita = "?";
    struct Case {
        const char* name;
        SettingsRecord record;
        const char* eepromSize;
        bool succeed;
        bool storno;
        Outcome outcome;
        const char* key;
        Icon icon;
        bool written; // the device was asked to write
    } cases[] = {
        {"output names clash", clash, "  1024 byte", true, false, Outcome::OutputNamesClash,
         "msg041", Icon::Exclamation, false},
        {"no device size", sampleRecord(), "?", true, false, Outcome::TooLarge, "msg018",
         Icon::Critical, false},
        {"no image", badChoice, "  1024 byte", true, false, Outcome::ConversionFailed, "msg024",
         Icon::Critical, false},
        {"block failed", sampleRecord(), "  1024 byte", false, false, Outcome::WriteFailed,
         "msg021", Icon::Critical, true},
        {"storno inside the write", sampleRecord(), "  1024 byte", false, true,
         Outcome::WriteFailed, "msg021", Icon::Critical, true},
        {"storno after the last block", sampleRecord(), "  1024 byte", true, true, Outcome::Stopped,
         "msg022", Icon::Information, true},
        {"written", sampleRecord(), "  1024 byte", true, false, Outcome::Done, "msg023",
         Icon::Information, true},
    };
    for (const Case& c : cases) {
        Bench b;
        b.holder.current = c.record;
        b.holder.eepromSize = c.eepromSize;
        b.transfer.succeed = c.succeed;
        b.transfer.storno = c.storno;

        EXPECT_EQ(SaveToDevice(b.context, b.transfer), c.outcome) << "case: " << c.name;
        const Message m = b.only();
        EXPECT_EQ(m.key, c.key) << "case: " << c.name;
        EXPECT_EQ(m.icon, c.icon) << "case: " << c.name;
        EXPECT_EQ(m.title, "RQ7 Init") << "case: " << c.name;
        EXPECT_EQ(b.transfer.writes, c.written ? 1 : 0) << "case: " << c.name;
        EXPECT_FALSE(b.status.visible) << "case: " << c.name;
        if (c.written) {
            EXPECT_EQ(b.transfer.size, SettingsSize(c.record)) << "case: " << c.name;
        }
    }
}

TEST(SaveToDevice, OutputClashShowsTheOutputsPageAndFocusesTheField) {
    Bench b;
    b.holder.current = sampleRecord();
    b.holder.current.tabOUTZap[2] = "topeni";
    b.holder.eepromSize = "  1024 byte";
    EXPECT_EQ(SaveToDevice(b.context, b.transfer), Outcome::OutputNamesClash);
    EXPECT_EQ(b.holder.events, (Strings{"page:3", "focus:tabOUTNazev_1"}));
    EXPECT_EQ(b.only().text,
              "N\u00e1zvy v\u00fdstup\u016f ani n\u00e1zvy stav\u016f v\u00fdstup\u016f se "
              "nesm\u011bj\u00ed shodovat a nesm\u00ed b\u00fdt ani p\u0159edponou "
              "jin\u00e9ho n\u00e1zvu.");
    EXPECT_EQ(*b.image->GetImageByte(24), 0) << "no image is built";
}

// A record whose settings size is exactly `size` (at least 150).
SettingsRecord recordOfSize(int size) {
    SettingsRecord r;
    int missing = size - SettingsSize(r);
    for (Rows<std::string>* texts : {&r.tabINPNazev, &r.tabINPLH}) {
        for (std::string& text : *texts) {
            const int n = std::min(missing, 100);
            text.assign(static_cast<std::size_t>(n), 'a');
            missing -= n;
        }
    }
    return r;
}

TEST(SaveToDevice, SizeCheckAgainstTheEeprom) {
    const struct {
        int size;
        bool fits;
    } cases[] = {{1024, true}, {1025, false}};
    for (const auto& c : cases) {
        Bench b;
        b.holder.current = recordOfSize(c.size);
        ASSERT_EQ(SettingsSize(b.holder.current), c.size);
        b.holder.usage = "150 byte"; // stale: the workflow recomputes it
        b.holder.eepromSize = "  1024 byte";
        EXPECT_EQ(SaveToDevice(b.context, b.transfer), c.fits ? Outcome::Done : Outcome::TooLarge)
            << "case: size " << c.size;
        if (!c.fits) {
            EXPECT_EQ(b.only().text,
                      "Velikost dat v nastaven\u00ed (1025 byte) je v\u011bt\u0161\u00ed "
                      "ne\u017e je mo\u017eno vlo\u017eit do EEPROM (  1024 byte).")
                << "case: size " << c.size;
        }
    }
}

TEST(SaveToDevice, CheckWriteDecidesTheReadBack) {
    for (const bool verify : {true, false}) {
        Bench b;
        b.holder.current = sampleRecord();
        b.holder.eepromSize = "  1024 byte";
        b.holder.verify = verify;
        EXPECT_EQ(SaveToDevice(b.context, b.transfer), Outcome::Done);
        EXPECT_EQ(b.transfer.verified, verify);
    }
}

// The whole road over the device link to a simulated device.
struct SimulatedBench : Bench {
    sim::SimulatedDevice device;
    sim::SimulatedLink link{device};
    device::DeviceLink deviceLink{link, link, prompter, status, texts};
    DeviceLinkTransfer eeprom{deviceLink};

    SimulatedBench() {
        EXPECT_EQ(deviceLink.Activate("sim").outcome, device::ActivationOutcome::Activated);
        holder.eepromSize = deviceLink.info().lblInfoPamSize;
        prompter.asked.clear();
        status.events.clear();
    }
};

TEST(DeviceWorkflows, SavedSettingsLoadBackFromTheSimulatedDevice) {
    SimulatedBench save;
    save.holder.current = sampleRecord();
    EXPECT_EQ(SaveToDevice(save.context, save.eeprom), Outcome::Done);
    EXPECT_EQ(save.prompter.keys(), Strings{"msg023"});

    SimulatedBench load;
    load.device.loadEeprom(sim::Bytes(save.device.eeprom().begin(), save.device.eeprom().end()));
    EXPECT_EQ(LoadFromDevice(load.context, load.eeprom), Outcome::Done);
    EXPECT_EQ(load.prompter.keys(), Strings{"msg014"});
    EXPECT_EQ(load.holder.current, sampleRecord());
}

TEST(DeviceWorkflows, StornoDuringTheSimulatedReadKeepsTheWindow) {
    SimulatedBench b;
    const SettingsRecord sample = sampleRecord();
    const std::unique_ptr<EepromImage> contents = deviceImageOf(&sample);
    b.device.loadEeprom(sim::Bytes(contents->data(), contents->data() + 512));
    b.holder.current.tabPIN = "4321";
    const SettingsRecord before = b.holder.current;
    int waits = 0;
    b.link.setCancelProbe([&] {
        if (++waits == 10)
            b.status.cancel = true;
        return b.status.cancel;
    });
    EXPECT_EQ(LoadFromDevice(b.context, b.eeprom), Outcome::Stopped);
    EXPECT_EQ(b.prompter.keys(), Strings{"msg012"});
    EXPECT_EQ(b.holder.current, before);
    EXPECT_LT(b.device.counters().handled[4],
              static_cast<unsigned>(SettingsSize(sample) / static_cast<long>(device::kBlockSize)))
        << "the read stopped early";
}

// A backup target in a fresh folder with a fixed clock.
struct BackupBench {
    test::TempDir dir;
    BackupTarget target{dir / "backups", "RQ7", [] {
                            std::tm when{};
                            when.tm_year = 2026 - 1900;
                            when.tm_mon = 11;
                            when.tm_mday = 8;
                            when.tm_hour = 14;
                            when.tm_min = 3;
                            when.tm_sec = 12;
                            return when;
                        }};
};

TEST(DeviceBackup, ASaveKeepsTheDevicesPreviousSettingsByteForByte) {
    SettingsRecord previous = sampleRecord();
    previous.tabJmenoStanice = "Chata 7";
    auto before = std::make_unique<EepromImage>();
    const WriteResult written = WriteImage(previous, *before);
    ASSERT_TRUE(written.ok);
    const std::string previousBytes(reinterpret_cast<const char*>(before->data()),
                                    static_cast<std::size_t>(written.length));

    BackupBench backups;
    SimulatedBench b;
    sim::Bytes deviceBytes(1024, 0xA5); // bytes past the image are no settings
    std::copy(previousBytes.begin(), previousBytes.end(), deviceBytes.begin());
    b.device.loadEeprom(deviceBytes);
    b.holder.current = sampleRecord();
    EXPECT_EQ(SaveToDevice(b.context, b.eeprom, &backups.target), Outcome::Done);
    EXPECT_EQ(b.prompter.keys(), Strings{"msg023"});

    const std::filesystem::path backup =
        backups.target.folder / "2026-12-08_14-03-12Z_RQ7_Chata-7.eep";
    EXPECT_EQ(test::readFile(backup), previousBytes);
    EXPECT_NE(std::find(b.status.shown.begin(), b.status.shown.end(), b.texts.get("msg098")),
              b.status.shown.end())
        << "the backup is a step of its own";
    EXPECT_NE(b.prompter.asked[0].text.find(backup.string()), std::string::npos)
        << "the success names the backup";
    // Twice more within the same second, a file of another program with the
    // first name already there: the names stay apart, nothing is replaced.
    test::writeFile(backups.target.folder / "2026-12-08_14-03-12Z_RQ7_Sklad.eep", "theirs");
    SaveToDevice(b.context, b.eeprom, &backups.target);
    SaveToDevice(b.context, b.eeprom, &backups.target);
    EXPECT_EQ(test::readFile(backups.target.folder / "2026-12-08_14-03-12Z_RQ7_Sklad.eep"),
              "theirs");
    for (const char* name :
         {"2026-12-08_14-03-12Z-2_RQ7_Sklad.eep", "2026-12-08_14-03-12Z-3_RQ7_Sklad.eep"})
        EXPECT_TRUE(std::filesystem::exists(backups.target.folder / name)) << name;

    // A blank device has nothing to keep: the write goes ahead and says so.
    SimulatedBench blank;
    BackupBench none;
    blank.holder.current = sampleRecord();
    EXPECT_EQ(SaveToDevice(blank.context, blank.eeprom, &none.target), Outcome::Done);
    EXPECT_FALSE(std::filesystem::exists(none.target.folder));
    EXPECT_NE(
        std::find(blank.status.shown.begin(), blank.status.shown.end(), blank.texts.get("msg095")),
        blank.status.shown.end());
}

TEST(DeviceBackup, NoBackupNoWrite) {
    struct Case {
        const char* name;
        bool readFails;
        bool storno;
        bool folderIsAFile;
        std::string key;
    };
    const Case cases[] = {
        {"the read fails", true, false, false, "msg091"},
        {"Storno during the read", false, true, false, "msg097"},
        {"the folder cannot be made", false, false, true, "msg092"},
    };
    for (const Case& c : cases) {
        Bench b;
        BackupBench backups;
        b.holdSampleOnDevice();
        b.transfer.succeed = !c.readFails;
        b.transfer.storno = c.storno;
        if (c.folderIsAFile)
            test::writeFile(backups.target.folder, "not a folder");
        EXPECT_EQ(SaveToDevice(b.context, b.transfer, &backups.target), Outcome::BackupFailed)
            << "case: " << c.name;
        EXPECT_EQ(b.transfer.writes, 0) << "case: " << c.name;
        EXPECT_EQ(b.only().key, c.key) << "case: " << c.name;
        if (c.folderIsAFile) {
            EXPECT_NE(b.only().text.find("backups"), std::string::npos) << b.only().text;
        }
    }
}

// A write that stops after it has begun leaves the device without valid
// settings: the message says so and names the backup to restore.
TEST(DeviceBackup, AStoppedWriteSaysTheDeviceHoldsNoSettings) {
    for (const bool backedUp : {true, false}) {
        Bench b;
        BackupBench backups;
        b.holdSampleOnDevice();
        b.transfer.writeFails = true;
        DeviceWriteFacts facts;
        EXPECT_EQ(SaveToDevice(b.context, b.transfer, backedUp ? &backups.target : nullptr, &facts),
                  Outcome::WriteFailed);
        const std::string made = facts.backupPath;
        EXPECT_EQ(b.only().key, "msg021");
        EXPECT_EQ(std::filesystem::exists(made), backedUp) << made;
        const std::string said = b.only().text;
        EXPECT_NE(said.find(backedUp ? made : b.texts.get("msg102")), std::string::npos) << said;
    }
}

TEST(DeviceBackup, ABackupIsReadUntilTwoReadsAgreeOnEveryBlock) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, long>> spoiled; // read and address of a wrong byte
        int reads;                                 // reads made
        bool saved;
    };
    const Case cases[] = {
        {"two reads agree", {}, 2, true},
        {"the second read differs: the third agrees with the first", {{2, 40}}, 3, true},
        {"each block agreed by another pair", {{1, 40}, {2, 120}}, 3, true},
        {"no two reads agree on a block", {{1, 40}, {2, 40}, {3, 40}, {4, 40}}, 4, false},
    };
    for (const Case& c : cases) {
        Bench b;
        BackupBench backups;
        b.holdSampleOnDevice();
        const EepromImage truth = *b.transfer.device;
        b.transfer.spoil = [&c](int read, EepromImage& image) {
            for (const auto& [which, address] : c.spoiled)
                if (which == read)
                    image.SetImageByte(
                        static_cast<std::uint8_t>(*image.GetImageByte(address) ^ (read << 4)),
                        address);
        };
        const BackupResult backup = BackUpDevice(b.context, b.transfer, backups.target);
        EXPECT_EQ(b.transfer.reads, c.reads) << "case: " << c.name;
        EXPECT_EQ(backup.outcome, c.saved ? BackupOutcome::Saved : BackupOutcome::ReadFailed)
            << "case: " << c.name;
        if (c.saved) {
            const std::string bytes = test::readFile(backup.path);
            EXPECT_TRUE(std::equal(
                bytes.begin(), bytes.end(), truth.data(),
                [](char x, std::uint8_t y) { return static_cast<std::uint8_t>(x) == y; }))
                << "case: " << c.name << ": the backup holds the device's bytes";
        }
    }
}

} // namespace
} // namespace rq7
