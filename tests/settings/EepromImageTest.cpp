#include "settings/EepromImage.h"

#include <gtest/gtest.h>

using namespace rq7;

TEST(EepromImage, FreshBufferIsZeroAndInvalid) {
    const EepromImage image;
    for (long a : {0L, 26L, 32767L, 65535L})
        EXPECT_EQ(image.GetImageByte(a), 0) << "address " << a;
    EXPECT_FALSE(image.IsImageValid());
}

TEST(EepromImage, OutOfRangeAccessIsRefused) {
    EepromImage image;
    EXPECT_EQ(image.GetImageByte(-1), std::nullopt);
    EXPECT_EQ(image.GetImageByte(65536), std::nullopt);
    EXPECT_EQ(image.GetImageWord(65535), std::nullopt); // high byte outside
    EXPECT_EQ(image.GetImageWord(-1), std::nullopt);
    EXPECT_FALSE(image.SetImageByte(1, 65536));
    EXPECT_FALSE(image.SetImageByte(1, -1));
    EXPECT_FALSE(image.SetImageByte(256, 10));
    EXPECT_FALSE(image.SetImageByte(-1, 10));
    EXPECT_FALSE(image.SetImageWord(65536, 10));
    EXPECT_FALSE(image.SetImageWord(-1, 10));
    EXPECT_FALSE(image.SetImageWord(1, 65535));
    EXPECT_EQ(image.GetImageWord(10), 0); // nothing was stored by the refusals
    EXPECT_EQ(image.GetImageByte(65535), 0);

    EXPECT_TRUE(image.SetImageByte(255, 65535));
    EXPECT_EQ(image.GetImageByte(65535), 255);
}

TEST(EepromImage, WordsAreLittleEndian) {
    EepromImage image;
    ASSERT_TRUE(image.SetImageWord(10010, 24));
    EXPECT_EQ(image.GetImageByte(24), 0x1A);
    EXPECT_EQ(image.GetImageByte(25), 0x27);
    EXPECT_EQ(image.GetImageWord(24), 10010);
    ASSERT_TRUE(image.SetImageWord(65535, 65534));
    EXPECT_EQ(image.GetImageWord(65534), 65535);
}

// Fills the header with the given words and a correct checksum.
static EepromImage withHeader(const int (&words)[13]) {
    EepromImage image;
    for (int i = 0; i < 13; ++i)
        EXPECT_TRUE(image.SetImageWord(words[i], 2 * i));
    EXPECT_TRUE(image.SetImageByte(image.HeaderChecksum(), 26));
    return image;
}

TEST(EepromImage, ChecksumOfTheEmptyImageHeader) {
    const EepromImage image =
        withHeader({0x40, 0x48, 0x50, 0x58, 0x60, 0x68, 0x80, 0x70, 0x78, 0x88, 0x8D, 0x20, 10010});
    EXPECT_EQ(image.HeaderChecksum(), 0xD7);
    EXPECT_TRUE(image.IsImageValid());
}

TEST(EepromImage, ChecksumThirteenIsStoredAsTwelve) {
    // The empty header sums to D6 (+1 = D7); 54 more in one word gives 13.
    const EepromImage image = withHeader(
        {0x40, 0x48, 0x50, 0x58, 0x60, 0x68, 0x80, 0x70, 0x78, 0x88, 0x8D + 54, 0x20, 10010});
    EXPECT_EQ(image.HeaderChecksum(), 12);
    EXPECT_EQ(image.GetImageByte(26), 12);
    EXPECT_TRUE(image.IsImageValid());
}

TEST(EepromImage, ValidityLooksOnlyAtMarkAndChecksum) {
    EepromImage image =
        withHeader({0x40, 0x48, 0x50, 0x58, 0x60, 0x68, 0x80, 0x70, 0x78, 0x88, 0x8D, 0x20, 10010});
    ASSERT_TRUE(image.IsImageValid());

    EepromImage changed = image;
    changed.SetImageByte(0x49, 5);
    EXPECT_FALSE(changed.IsImageValid()) << "byte 5 changed";

    changed = image;
    changed.SetImageByte(0xD8, 26);
    EXPECT_FALSE(changed.IsImageValid()) << "checksum changed";

    // The mark is part of the checksum too: a wrong mark with a matching
    // checksum must still fail.
    changed = image;
    changed.SetImageWord(10011, 24);
    changed.SetImageByte(changed.HeaderChecksum(), 26);
    EXPECT_FALSE(changed.IsImageValid()) << "format mark";

    changed = image;
    changed.SetImageByte(99, 40);
    changed.SetImageByte(99, 200);
    changed.SetImageByte(99, 27);
    EXPECT_TRUE(changed.IsImageValid()) << "fixed block, variable area and gap are not checked";
}
