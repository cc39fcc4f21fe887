#include "image/tone_codec.h"

#include "image/number_text.h"

#include <gtest/gtest.h>

#include <set>

namespace orvo {
namespace {

TEST(ToneTable, OffThenAscendingCtcssThenDcsNormalThenTheSameInvertedEachEntryRoundTrips)
{
    const auto& t = toneTable();
    ASSERT_EQ(t.size(), 261u);
    EXPECT_EQ(t[0], "Off");
    EXPECT_EQ(t[1], "67.0");
    EXPECT_EQ(t[50], "254.1");
    EXPECT_EQ(t[51], "D023N");
    EXPECT_EQ(t[260], "D754I");
    EXPECT_EQ(std::set<std::string>(t.begin(), t.end()).size(), 261u);
    for (std::size_t i = 2; i <= 50; ++i)
        EXPECT_LT(leadingNumber(t[i - 1]), leadingNumber(t[i])) << t[i];
    for (std::size_t i = 52; i <= 155; ++i)
        EXPECT_LT(t[i - 1], t[i]);
    for (std::size_t i = 51; i <= 155; ++i)
        EXPECT_EQ(t[i + 105], t[i].substr(0, 4) + "I");

    EXPECT_EQ(encodeTone(t[0]), (ToneBytes{0xFF, 0xFF}));
    for (std::size_t i = 1; i < t.size(); ++i) {
        const ToneBytes b = encodeTone(t[i]);
        EXPECT_EQ(decodeTone(b.low, b.high), t[i]) << i;
        EXPECT_EQ(toneIndex(t[i]), int(i));
    }
}

TEST(ToneCodec, TextsAndBytesWithTheirQuirks)
{
    // Both ways unless `decodes` is false.
    const struct
    {
        const char* text;
        ToneBytes bytes;
        bool decodes;
    } cases[] = {
        {"67.0", {0x70, 0x06}, true},    {"69.3", {0x93, 0x06}, true},  // not 692 from a float
        {"254.1", {0x41, 0x25}, true},   {"100.0", {0x00, 0x10}, true},
        {"D023N", {0x23, 0x80}, true},   {"D023I", {0x23, 0xC0}, true},
        {"D754I", {0x54, 0xC7}, true},   {"D06N", {0x06, 0x80}, true},  // a first 0 stays a "0"
        {"999.9", {0x99, 0x99}, false},  {"100", {0x00, 0x10}, false},
        {"88.59", {0x85, 0x08}, false},  {"D", {0x00, 0xC0}, false},
        {"D023X", {0x23, 0xC0}, false},  {"d754i", {0x54, 0xC7}, false}, // no N: inverted; case
        {"Off", {0xFF, 0xFF}, false},    {"abc", {0xFF, 0xFF}, false},
        {"1000.0", {0xFF, 0xFF}, false}, {"-67.0", {0xFF, 0xFF}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeTone(c.text), c.bytes) << c.text;
        if (c.decodes) {
            EXPECT_EQ(decodeTone(c.bytes.low, c.bytes.high), c.text);
        }
    }
    // No tone from FF or 00 in the high byte; nibbles above 9 add their value.
    for (std::uint8_t high : {0x00, 0xFF})
        EXPECT_EQ(decodeTone(0x23, high), "");
    EXPECT_EQ(decodeTone(0x0A, 0x01), "11.0");
    EXPECT_EQ(decodeTone(0xA0, 0x80), "D0100N");

    EXPECT_EQ(canonicalTone("d023n"), "D023N");
    EXPECT_EQ(canonicalTone("oFf"), "Off");
    const std::string_view nones[] = {"67", "D023", "D023NN", std::string_view("Off\0", 4), ""};
    for (std::string_view none : nones)
        EXPECT_EQ(canonicalTone(none), std::nullopt) << none;
}

TEST(ToneCodec, AllTwoByteFieldsDecodeToTextsThatEncodeBackForValidDigits)
{
    // Every packed-decimal CTCSS or DCS field with digits 0..9 survives decode and encode.
    for (int high = 0x01; high <= 0xFE; ++high) {
        for (int low = 0; low <= 0x99; ++low) {
            if ((high & 15) > 9 || (low & 15) > 9 || (low >> 4) > 9)
                continue;
            if (high < 0x80 && (high >> 4) > 9)
                continue;
            if ((high >= 0x8A && high < 0xC0) || high >= 0xCA)
                continue; // first DCS digit above 9
            const std::string text = decodeTone(std::uint8_t(low), std::uint8_t(high));
            EXPECT_EQ(encodeTone(text), (ToneBytes{std::uint8_t(low), std::uint8_t(high)}))
                << std::hex << low << " " << high << " " << text;
        }
    }
}

} // namespace
} // namespace orvo
