#include "image/settings_codec.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

int sel(const SettingSelections& s, SettingBox b)
{
    return s[std::size_t(b)];
}
std::string text(const SettingSelections& s, SettingBox b)
{
    const int i = sel(s, b);
    return i < 0 ? "<none>" : settingBoxes()[std::size_t(b)].entries[std::size_t(i)];
}

RadioImage imageWith(std::size_t offset, std::uint8_t value)
{
    RadioImage image = RadioImage::makeNew();
    image[offset] = value;
    return image;
}

SettingSelections decoded(const RadioImage& image)
{
    SettingSelections s = initialSelections();
    decodeSettings(image, s);
    return s;
}

TEST(SettingBoxes, HaveTheirLabelsIdsAndEntriesInOrder)
{
    const auto& boxes = settingBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(std::size_t(boxes[i].box), i);
    EXPECT_EQ(boxes[std::size_t(SettingBox::Moni)].entries[1], "Monitor  Momentary");
    EXPECT_EQ(boxes[std::size_t(SettingBox::UrgencyCall)].entries[1], "Local Alert ");
    EXPECT_EQ(boxes[std::size_t(SettingBox::UrgencyCall)].label,
              std::string("Urgency Call           Switch"));
    EXPECT_EQ(boxes[std::size_t(SettingBox::VoiceAnnunciation)].label,
              std::string("Voice Annuciation"));
    EXPECT_EQ(boxes[std::size_t(SettingBox::TxTotalTime)].entries.size(), 11u);
    EXPECT_EQ(boxes[std::size_t(SettingBox::TxTotalTime)].entries[10], "300s");
    EXPECT_EQ(boxes[std::size_t(SettingBox::Field)].controlId, 1011);
    for (std::size_t b = 0; b < 4; ++b) {
        EXPECT_EQ(boxes[std::size_t(SettingBox::Field)].entries[b], bands()[b].text);
        EXPECT_EQ(bands()[b].code, 0xF4 + b);
    }
    EXPECT_EQ(bands()[2].low, 40000000u);
    EXPECT_EQ(bands()[3].high, 50000000u);
}

TEST(FunctionByte, NewImageValueDecodesAndEncodesBackWithBit3Untouched)
{
    for (std::uint8_t bit3 : {std::uint8_t{0x08}, std::uint8_t{0x00}}) {
        RadioImage image = imageWith(0x3C0, std::uint8_t(0xF7 & ~0x08) | bit3);
        const SettingSelections s = decoded(image);
        EXPECT_EQ(text(s, SettingBox::Beep), "Enable");
        EXPECT_EQ(text(s, SettingBox::BatterySave), "Enable");
        EXPECT_EQ(text(s, SettingBox::Scan), "ON");
        EXPECT_EQ(text(s, SettingBox::VoiceAnnunciation), "Chinese");
        EXPECT_EQ(text(s, SettingBox::UrgencyCall), "TX Alert ");
        image[0x3C0] = bit3 ^ 0x08; // everything else cleared, bit 3 flipped
        encodeSettings(s, image);
        EXPECT_EQ(image[0x3C0], (0xF7 & ~0x08) | (bit3 ^ 0x08));
    }
}

TEST(FunctionByte, EveryValueSurvivesDecodeAndEncodeButVoiceTwo)
{
    for (int b = 0; b < 256; ++b) {
        RadioImage image = imageWith(0x3C0, std::uint8_t(b));
        encodeSettings(decoded(image), image);
        const int want = ((b >> 4) & 3) == 2 ? (b & ~0x30) : b;
        EXPECT_EQ(image[0x3C0], want) << b;
    }
    const SettingSelections s = decoded(imageWith(0x3C0, 0x20));
    EXPECT_EQ(text(s, SettingBox::VoiceAnnunciation), "Off");
}

TEST(SettingBytes, OutOfRangeValuesFallBackToTheirEntries)
{
    EXPECT_EQ(text(decoded(imageWith(0x3C1, 0x0A)), SettingBox::SquelchLevel), "0");
    EXPECT_EQ(text(decoded(imageWith(0x3C1, 0xFF)), SettingBox::SquelchLevel), "0");
    EXPECT_EQ(text(decoded(imageWith(0x3C1, 0x09)), SettingBox::SquelchLevel), "9");
    EXPECT_EQ(text(decoded(imageWith(0x3C3, 0x0A)), SettingBox::TxTotalTime), "300s");
    EXPECT_EQ(text(decoded(imageWith(0x3C3, 0x0B)), SettingBox::TxTotalTime), "Off");
    EXPECT_EQ(text(decoded(imageWith(0x3C2, 0x04)), SettingBox::Moni), "SQ-Off Momentary");
    EXPECT_EQ(text(decoded(imageWith(0x3C2, 0x01)), SettingBox::Moni), "Monitor  Momentary");

    RadioImage image = RadioImage::makeNew();
    SettingSelections s = decoded(image);
    s[std::size_t(SettingBox::SquelchLevel)] = 7;
    s[std::size_t(SettingBox::TxTotalTime)] = 10;
    s[std::size_t(SettingBox::Moni)] = 0;
    encodeSettings(s, image);
    EXPECT_EQ(image[0x3C1], 7);
    EXPECT_EQ(image[0x3C3], 10);
    EXPECT_EQ(image[0x3C2], 0);
}

TEST(BandAndModel, BandCodesSelectTheirFieldOnlyInZt4Images)
{
    EXPECT_EQ(text(decoded(imageWith(0x3D2, 0xF7)), SettingBox::Field), "430 - 500MHz");
    EXPECT_EQ(text(decoded(imageWith(0x3D2, 0xF8)), SettingBox::Field), "136 - 174MHz");
    EXPECT_EQ(text(decoded(imageWith(0x3D2, 0xF3)), SettingBox::Field), "136 - 174MHz");

    // Not a ZT-4 image: Type and Field keep what they held.
    RadioImage allFF;
    allFF.bytes.fill(0xFF);
    EXPECT_FALSE(isZt4Image(allFF));
    SettingSelections s = initialSelections();
    s[std::size_t(SettingBox::Field)] = 3;
    s[std::size_t(SettingBox::Type)] = -1;
    decodeSettings(allFF, s);
    EXPECT_EQ(sel(s, SettingBox::Field), 3);
    EXPECT_EQ(sel(s, SettingBox::Type), -1);

    // The next save writes the model and band from the boxes when Type shows ZT-4.
    s[std::size_t(SettingBox::Type)] = 0;
    encodeSettings(s, allFF);
    EXPECT_EQ(allFF[0x3D2], 0xF7);
    EXPECT_EQ(allFF[0x3D6], 0x33);

    RadioImage untouched;
    untouched.bytes.fill(0xFF);
    s[std::size_t(SettingBox::Type)] = -1;
    encodeSettings(s, untouched);
    EXPECT_EQ(untouched[0x3D2], 0xFF);
    EXPECT_EQ(untouched[0x3D6], 0xFF);
}

TEST(BandAndModel, EncodeTouchesOnlyTheSettingBytes)
{
    RadioImage image;
    for (std::size_t i = 0; i < 1024; ++i)
        image[i] = std::uint8_t(i * 13 + 5);
    const RadioImage before = image;
    SettingSelections s = initialSelections();
    s.fill(1);
    s[std::size_t(SettingBox::Type)] = 0;
    encodeSettings(s, image);
    for (std::size_t i = 0; i < 1024; ++i) {
        if (i == 0x3C0) {
            EXPECT_EQ(image[i] & 0x08, before[i] & 0x08);
        } else if (!(i >= 0x3C1 && i <= 0x3C3) && i != 0x3D2 && i != 0x3D6) {
            ASSERT_EQ(image[i], before[i]) << std::hex << i;
        }
    }
    EXPECT_EQ(image[0x3D2], 0xF5);
}

TEST(TypeSelection, RewritesThePairTableAndTheModelBlockOnly)
{
    RadioImage image;
    for (std::size_t i = 0; i < 1024; ++i)
        image[i] = std::uint8_t(i * 29 + 1);
    const RadioImage before = image;
    const RadioImage fresh = RadioImage::makeNew();
    applyTypeSelection(image);
    for (std::size_t i = 0; i < 1024; ++i) {
        const std::size_t rec = i / 16, byte = i % 16;
        if (rec >= 17 && rec <= 24 && (byte <= 7 || byte == 13 || byte == 14))
            EXPECT_EQ(image[i], fresh[i]) << std::hex << i;
        else if (i == 0x3D2)
            EXPECT_EQ(image[i], 0xF4);
        else if (i == 0x3D6)
            EXPECT_EQ(image[i], 0x33);
        else
            ASSERT_EQ(image[i], before[i]) << std::hex << i;
    }
}

} // namespace
} // namespace orvo
