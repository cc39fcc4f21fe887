#include "image/channel_codec.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

// Channel `ch` of an otherwise new image with the given record bytes.
RadioImage withRecord(int ch, std::array<std::uint8_t, 16> rec)
{
    RadioImage image = RadioImage::makeNew();
    std::copy(rec.begin(), rec.end(), image.record(ch));
    return image;
}

std::array<std::uint8_t, 4> freqBytes(const std::string& text)
{
    RadioImage image = RadioImage::makeNew();
    ChannelTexts t{};
    t[0] = text;
    encodeChannel(t, image, 1);
    return {image.record(1)[0], image.record(1)[1], image.record(1)[2], image.record(1)[3]};
}

using Bytes4 = std::array<std::uint8_t, 4>;

TEST(ChannelFrequencies, DecodeAsFiveDecimalMegahertzWhenByte3IsNeitherFFNor00)
{
    const struct
    {
        std::uint8_t field[4];
        const char* text;
    } cases[] = {
        {{0x50, 0x62, 0x25, 0x46}, "462.56250"}, {{0x12, 0x34, 0x56, 0x00}, ""},
        {{0x12, 0x34, 0x56, 0xFF}, ""},           {{0x00, 0x00, 0x00, 0x01}, "10.00000"},
        {{0x00, 0x00, 0x00, 0xA0}, "1000.00000"}, // nibbles above 9 add their value
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeFrequency(c.field), c.text);
}

TEST(ChannelFrequencies, EncodeWithTheRoundingAndStepFlag)
{
    struct Case
    {
        const char* text;
        Bytes4 bytes;
        int step;
    } cases[] = {
        {"462.5625", {0x50, 0x62, 0x25, 0x46}, 1},
        {"145.00500", {0x00, 0x05, 0x50, 0x14}, 0},
        {"146.52000", {0x00, 0x20, 0x65, 0x14}, 0},
        {"440.00000", {0x00, 0x00, 0x00, 0x44}, 1}, // at or above 300 MHz
        {"146.00625", {0x25, 0x06, 0x60, 0x14}, 1}, // multiple of 6.25 kHz
        {"446.00625", {0x25, 0x06, 0x60, 0x44}, 1}, // 44600624.99.. without the 0.05
        {"299.99500", {0x00, 0x95, 0x99, 0x29}, 0},
        {"300", {0x00, 0x00, 0x00, 0x30}, 1},
        {"300.005", {0x00, 0x05, 0x00, 0x30}, 1}, // off the 6.25 kHz raster
        {"162.5abc", {0x00, 0x00, 0x25, 0x16}, 1},
    };
    for (const Case& c : cases) {
        RadioImage image = RadioImage::makeNew();
        ChannelTexts t{};
        t[0] = c.text;
        t[1] = c.text;
        encodeChannel(t, image, 5);
        const std::uint8_t* rec = image.record(5);
        EXPECT_EQ((Bytes4{rec[0], rec[1], rec[2], rec[3]}), c.bytes) << c.text;
        EXPECT_EQ((Bytes4{rec[4], rec[5], rec[6], rec[7]}), c.bytes) << c.text;
        EXPECT_EQ(rec[13], c.step) << c.text;
        EXPECT_EQ(rec[14], c.step) << c.text;
        EXPECT_EQ(decodeChannel(image, 5)[0], decodeFrequency(rec)) << c.text;
    }
}

TEST(ChannelFrequencies, EveryRasterFrequencyRoundTripsThroughItsText)
{
    // All 6.25 and 5 kHz channels from 60 to 600 MHz: text -> bytes -> text is exact.
    for (std::uint32_t v = 6000000; v <= 60000000; v += 125) {
        if (v % 625 != 0 && v % 500 != 0)
            continue;
        std::uint8_t field[4];
        encodeFrequency(v, field);
        const std::string text = decodeFrequency(field);
        ASSERT_EQ(frequencyUnits(text), v) << text;
    }
}

TEST(ChannelFrequencies, NoFrequencyWritesFFAndKeepsTheStepFlag)
{
    RadioImage image = withRecord(3, {0x50, 0x62, 0x25, 0x46, 0x50, 0x62, 0x25, 0x46, 0x70, 0x06,
                                      0x70, 0x06, 0x55, 0x01, 0x00, 0x77});
    ChannelTexts t = decodeChannel(image, 3);
    t[0] = "";
    t[1] = "abc"; // not a number
    encodeChannel(t, image, 3);
    const std::uint8_t* rec = image.record(3);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(rec[i], 0xFF) << i;
    EXPECT_EQ(rec[13], 0x01);
    EXPECT_EQ(rec[14], 0x00);
    EXPECT_EQ(rec[15], 0x77);
    // 1000 MHz and more do not fit eight digits; negative numbers are no frequency either.
    EXPECT_EQ(freqBytes("1000"), (Bytes4{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(freqBytes("-446"), (Bytes4{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(freqBytes("999.99999"), (Bytes4{0x99, 0x99, 0x99, 0x99}));
}

TEST(ChannelRows, FlagsShowOnlyForChannelsWithAFrequency)
{
    // Only a transmit frequency: the row shows it, its flags, and an empty receive cell.
    RadioImage image = withRecord(2, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x46, 0xFF, 0xFF,
                                      0x23, 0xC0, 0x00, 0x00, 0x00, 0xFF});
    EXPECT_EQ(decodeChannel(image, 2),
              (ChannelTexts{"", "460.10000", "", "D023I", "Yes", "Wide", "Delete", "Low"}));
    image.record(2)[12] = 0x55;
    EXPECT_EQ(decodeChannel(image, 2),
              (ChannelTexts{"", "460.10000", "", "D023I", "No", "Narrow", "Add", "High"}));

    // Bytes 3 and 7 both FF: empty, whatever the flag byte; tones still decode.
    image = withRecord(4, {0x00, 0x00, 0x01, 0xFF, 0x00, 0x00, 0x01, 0xFF, 0x70, 0x06, 0xFF, 0xFF,
                           0x00, 0x00, 0x00, 0xFF});
    EXPECT_TRUE(isChannelEmpty(image, 4));
    EXPECT_EQ(decodeChannel(image, 4), (ChannelTexts{"", "", "67.0", "", "", "", "", ""}));
    image.record(4)[7] = 0x00; // 00 is no frequency too
    EXPECT_TRUE(isChannelEmpty(image, 4));
}

TEST(ChannelRows, EmptyRowEncodesToNoFrequencyNoToneAndFixedFlags)
{
    RadioImage image = withRecord(16, {0x50, 0x62, 0x25, 0x46, 0x50, 0x62, 0x25, 0x46, 0x70, 0x06,
                                       0x70, 0x06, 0x5A, 0x01, 0x01, 0x5A});
    encodeChannel(ChannelTexts{}, image, 16);
    const std::uint8_t* rec = image.record(16);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(rec[i], 0xFF) << i;
    // Bits 0 and 2 set, 4 and 6 cleared, 1, 3, 5 and 7 kept.
    EXPECT_EQ(rec[12], 0x0F);
    EXPECT_EQ(rec[13], 0x01);
    EXPECT_EQ(rec[14], 0x01);
    EXPECT_EQ(rec[15], 0x5A);
}

TEST(ChannelRows, FlagWordsAreExactAndCaseSensitive)
{
    RadioImage image = RadioImage::makeNew();
    encodeChannel({"146.52000", "", "", "", "yes", "wide", "add", "high"}, image, 1);
    EXPECT_EQ(decodeChannel(image, 1),
              (ChannelTexts{"146.52000", "", "", "", "No", "Narrow", "Delete", "Low"}));
    encodeChannel({"146.52000", "", "", "", "Yes", "Narrow", "Delete", "Low"}, image, 1);
    EXPECT_EQ(decodeChannel(image, 1),
              (ChannelTexts{"146.52000", "", "", "", "Yes", "Narrow", "Delete", "Low"}));
}

TEST(ChannelRows, ValidRecordsSurviveDecodeAndEncodeByteForByte)
{
    RadioImage image = withRecord(9, {0x50, 0x62, 0x25, 0x46, 0x00, 0x05, 0x50, 0x14, 0x23, 0xC0,
                                      0x41, 0x25, 0xAB, 0x01, 0x00, 0x3C});
    const RadioImage before = image;
    encodeChannel(decodeChannel(image, 9), image, 9);
    EXPECT_EQ(image, before);
}

} // namespace
} // namespace orvo
