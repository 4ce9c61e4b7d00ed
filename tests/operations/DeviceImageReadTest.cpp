// The settings read from a simulated device over the device link: only the
// blocks the image occupies are requested, a blank device is recognised
// after its header, and an image that would run past the EEPROM is
// reported without a request beyond it.

#include "operations/DeviceImageRead.h"

#include "device/DeviceLink.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "simulator/SimulatedLink.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/SampleRecords.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>
#include <memory>

namespace rq7 {
namespace {

// The image of the shared sample record, as bytes 0 … L−1.
sim::Bytes sampleImage() {
    auto image = std::make_unique<EepromImage>();
    EXPECT_TRUE(WriteImage(test::everyFieldSet(), *image).ok);
    const long length = SettingsSize(test::everyFieldSet()) - 1;
    return sim::Bytes(image->data(), image->data() + length);
}

// The header word at `address` set to `value`, with the checksum to match.
void setHeaderWord(sim::Bytes& bytes, std::size_t address, int value) {
    bytes[address] = static_cast<std::uint8_t>(value % 256);
    bytes[address + 1] = static_cast<std::uint8_t>(value / 256);
    unsigned sum = 1;
    for (std::size_t i = 0; i < 26; ++i)
        sum += bytes[i];
    bytes[26] = static_cast<std::uint8_t>(sum % 256 == 13 ? 12 : sum % 256);
}

struct ReadBench {
    explicit ReadBench(std::uint8_t memoryCode, const sim::Bytes& contents)
        : device([memoryCode] {
              sim::DeviceConfig config;
              config.profile.memoryCode = memoryCode;
              return config;
          }()) {
        device.loadEeprom(contents);
        EXPECT_EQ(deviceLink.Activate("sim").outcome, device::ActivationOutcome::Activated);
        device.setJournalEnabled(true);
    }

    ImageReadResult read() {
        return ReadDeviceImage(deviceLink, *image, deviceLink.info().eepromSize);
    }

    // The block addresses requested, in order.
    std::vector<long> requested() const {
        std::vector<long> addresses;
        for (const auto& entry : device.journal())
            if (entry.command == sim::command::ReadBlock)
                addresses.push_back(entry.address);
        return addresses;
    }

    sim::SimulatedDevice device;
    sim::SimulatedLink link{device};
    test::RecordingStatus status;
    test::ScriptedPrompter prompter;
    Texts texts;
    device::DeviceLink deviceLink{link, link, prompter, status, texts};
    std::unique_ptr<EepromImage> image = std::make_unique<EepromImage>();
};

std::vector<long> blocksBelow(long end) {
    std::vector<long> addresses;
    for (long a = 0; a < end; a += 8)
        addresses.push_back(a);
    return addresses;
}

TEST(DeviceImageRead, RequestsOnlyTheImagesBlocksAndGivesTheWholeReadsSettings) {
    const sim::Bytes contents = sampleImage();
    const long length = static_cast<long>(contents.size());
    ASSERT_GT(length % static_cast<long>(device::kBlockSize), 0) << "the image ends inside a block";
    ReadBench b(3, contents);
    const long blocksEnd = device::BlockEnd(length);
    b.image->SetImageByte(0xEE, blocksEnd);

    const ImageReadResult result = b.read();
    ASSERT_EQ(result.outcome, ImageRead::Read);
    EXPECT_EQ(result.length, length);
    EXPECT_EQ(b.requested(), blocksBelow(length));
    EXPECT_EQ(b.status.lastDone, static_cast<int>(device::BlocksFor(length)));
    EXPECT_EQ(b.status.lastTotal, b.status.lastDone) << "the progress counts the blocks needed";
    EXPECT_EQ(b.image->GetImageByte(blocksEnd), 0xEE) << "nothing beyond was stored";

    // The same settings as from the whole EEPROM.
    auto whole = std::make_unique<EepromImage>();
    for (std::size_t a = 0; a < b.device.eeprom().size(); ++a)
        whole->SetImageByte(b.device.eeprom()[a], static_cast<long>(a));
    SettingsRecord fromPart, fromWhole;
    ASSERT_TRUE(ReadImage(*b.image, fromPart, {}).ok);
    ASSERT_TRUE(ReadImage(*whole, fromWhole, {}).ok);
    EXPECT_EQ(fromPart, fromWhole);
    EXPECT_EQ(fromPart, test::everyFieldSet());
}

TEST(DeviceImageRead, StopsAtTheHeaderOrAtTheEepromsEnd) {
    const sim::Bytes image = sampleImage();
    const long length = static_cast<long>(image.size());
    ASSERT_GT(length, 128);
    sim::Bytes farTelephone = image;
    setHeaderWord(farTelephone, 20, 60000);
    struct Case {
        const char* name;
        std::uint8_t memoryCode;
        sim::Bytes contents;
        ImageRead outcome;
        std::vector<long> requested;
    } cases[] = {
        {"blank device", 3, {}, ImageRead::Unprogrammed, blocksBelow(32)},
        {"the image cut off by a 128-byte EEPROM", 0,
         sim::Bytes(image.begin(), image.begin() + 128), ImageRead::PastEeprom, blocksBelow(128)},
        // Every block up to the telephone block's address, not the rest.
        {"a telephone block beyond the EEPROM", 3, farTelephone, ImageRead::PastEeprom,
         blocksBelow(static_cast<long>(image[20] + 256 * image[21]))},
    };
    for (const Case& c : cases) {
        ReadBench b(c.memoryCode, c.contents);
        EXPECT_EQ(b.read().outcome, c.outcome) << "case: " << c.name;
        EXPECT_EQ(b.requested(), c.requested) << "case: " << c.name;
        EXPECT_EQ(b.device.counters().outOfRange, 0u) << "case: " << c.name;
    }
}

} // namespace
} // namespace rq7
