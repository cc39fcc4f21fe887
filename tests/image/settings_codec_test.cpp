#include "image/settings_codec.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

std::string text(const SettingSelections& s, SettingBox b)
{
    const int i = s[std::size_t(b)];
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

TEST(FunctionByte, EveryValueSurvivesDecodeAndEncodeButVoiceTwo)
{
    for (int b = 0; b < 256; ++b) {
        RadioImage image = imageWith(0x3C0, std::uint8_t(b));
        encodeSettings(decoded(image), image);
        const int want = ((b >> 4) & 3) == 2 ? (b & ~0x30) : b;
        EXPECT_EQ(image[0x3C0], want) << b;
    }
    const SettingSelections s = decoded(imageWith(0x3C0, 0xF7));
    EXPECT_EQ(text(s, SettingBox::Beep), "Enable");
    EXPECT_EQ(text(s, SettingBox::VoiceAnnunciation), "Chinese");
    EXPECT_EQ(text(decoded(imageWith(0x3C0, 0x20)), SettingBox::VoiceAnnunciation), "Off");
}

TEST(SettingBytes, ValuesShowTheirEntriesAndOutOfRangeValuesFallBack)
{
    const struct
    {
        std::size_t offset;
        std::uint8_t value;
        SettingBox box;
        const char* shown;
        bool roundTrips;
    } cases[] = {
        {0x3C1, 0x09, SettingBox::SquelchLevel, "9", true},
        {0x3C1, 0x0A, SettingBox::SquelchLevel, "0", false},
        {0x3C3, 0x0A, SettingBox::TxTotalTime, "300s", true},
        {0x3C3, 0x0B, SettingBox::TxTotalTime, "Off", false},
        {0x3C2, 0x01, SettingBox::Moni, "Monitor  Momentary", true},
        {0x3C2, 0x04, SettingBox::Moni, "SQ-Off Momentary", false},
        {0x3D2, 0xF7, SettingBox::Field, "430 - 500MHz", true},
        {0x3D2, 0xF8, SettingBox::Field, "136 - 174MHz", false},
        {0x3D2, 0xF3, SettingBox::Field, "136 - 174MHz", false},
    };
    for (const auto& c : cases) {
        const SettingSelections s = decoded(imageWith(c.offset, c.value));
        EXPECT_EQ(text(s, c.box), c.shown) << std::hex << c.offset << " " << int(c.value);
        RadioImage image = RadioImage::makeNew();
        encodeSettings(s, image);
        if (c.roundTrips) {
            EXPECT_EQ(image[c.offset], c.value) << std::hex << c.offset;
        }
    }
}

TEST(BandAndModel, OnlyAZt4ImageSetsTypeAndFieldAndTypeZt4WritesThem)
{
    RadioImage allFF;
    allFF.bytes.fill(0xFF);
    EXPECT_FALSE(isZt4Image(allFF));
    SettingSelections s = initialSelections();
    s[std::size_t(SettingBox::Field)] = 3;
    s[std::size_t(SettingBox::Type)] = -1;
    decodeSettings(allFF, s);
    EXPECT_EQ(s[std::size_t(SettingBox::Field)], 3);
    EXPECT_EQ(s[std::size_t(SettingBox::Type)], -1);
    RadioImage untouched = allFF;
    encodeSettings(s, untouched);
    EXPECT_EQ(untouched[0x3D6], 0xFF);

    s[std::size_t(SettingBox::Type)] = 0;
    encodeSettings(s, allFF);
    EXPECT_EQ(allFF[0x3D2], 0xF7);
    EXPECT_EQ(allFF[0x3D6], 0x33);
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
        else if (i == 0x3D2 || i == 0x3D6)
            EXPECT_EQ(image[i], i == 0x3D2 ? 0xF4 : 0x33);
        else
            ASSERT_EQ(image[i], before[i]) << std::hex << i;
    }
}

} // namespace
} // namespace orvo
