#include "image/tone_codec.h"

#include <gtest/gtest.h>

#include <set>

namespace orvo {
namespace {

TEST(ToneTable, Has261EntriesInTheFixedOrder)
{
    const auto& t = toneTable();
    ASSERT_EQ(t.size(), 261u);
    EXPECT_EQ(t[0], "Off");
    EXPECT_EQ(t[1], "67.0");
    EXPECT_EQ(t[13], "100.0");
    EXPECT_EQ(t[50], "254.1");
    EXPECT_EQ(t[51], "D023N");
    EXPECT_EQ(t[155], "D754N");
    EXPECT_EQ(t[156], "D023I");
    EXPECT_EQ(t[260], "D754I");
    EXPECT_EQ(std::set<std::string>(t.begin(), t.end()).size(), 261u);
    for (int i = 51; i <= 155; ++i)
        EXPECT_EQ(t[std::size_t(i + 105)], t[std::size_t(i)].substr(0, 4) + "I");
    // The same object every time: the table is built once.
    EXPECT_EQ(&toneTable(), &t);
}

TEST(ToneCodec, EveryTableEntryRoundTripsExceptOff)
{
    const auto& t = toneTable();
    EXPECT_EQ(encodeTone(t[0]), (ToneBytes{0xFF, 0xFF}));
    for (std::size_t i = 1; i < t.size(); ++i) {
        const ToneBytes b = encodeTone(t[i]);
        EXPECT_EQ(decodeTone(b.low, b.high), t[i]) << i;
    }
}

TEST(ToneCodec, CtcssTonesEncodeToTheirExactTenths)
{
    // A float times ten, truncated, would turn 69.3 into 692 and the like.
    for (int i = 1; i <= 50; ++i) {
        const std::string& text = toneTable()[std::size_t(i)];
        const auto dot = text.find('.');
        const int tenths = std::stoi(text.substr(0, dot)) * 10 + (text[dot + 1] - '0');
        const ToneBytes b = encodeTone(text);
        const int high = (b.high >> 4) * 10 + (b.high & 15);
        const int low = (b.low >> 4) * 10 + (b.low & 15);
        EXPECT_EQ(high * 100 + low, tenths) << text;
    }
    EXPECT_EQ(encodeTone("67.0"), (ToneBytes{0x70, 0x06}));
    EXPECT_EQ(encodeTone("254.1"), (ToneBytes{0x41, 0x25}));
    EXPECT_EQ(encodeTone("69.3"), (ToneBytes{0x93, 0x06}));
    EXPECT_EQ(encodeTone("100"), (ToneBytes{0x00, 0x10}));
    EXPECT_EQ(encodeTone("88.59"), (ToneBytes{0x85, 0x08}));
}

TEST(ToneCodec, NoToneIsReadFromFFOr00InTheHighByte)
{
    EXPECT_EQ(decodeTone(0xFF, 0xFF), "");
    EXPECT_EQ(decodeTone(0x00, 0x00), "");
    EXPECT_EQ(decodeTone(0x23, 0x00), "");
    EXPECT_EQ(decodeTone(0x23, 0xFF), "");
}

TEST(ToneCodec, DecodesCtcssAndDcsWithTheirQuirks)
{
    EXPECT_EQ(decodeTone(0x70, 0x06), "67.0");
    EXPECT_EQ(decodeTone(0x00, 0x10), "100.0");
    EXPECT_EQ(decodeTone(0x41, 0x25), "254.1");
    EXPECT_EQ(decodeTone(0x23, 0x80), "D023N");
    EXPECT_EQ(decodeTone(0x23, 0xC0), "D023I");
    EXPECT_EQ(decodeTone(0x54, 0x87), "D754N");
    // A first digit of 0 becomes a literal "0" before the number, without padding it.
    EXPECT_EQ(decodeTone(0x06, 0x80), "D06N");
    // Nibbles above 9 add their value.
    EXPECT_EQ(decodeTone(0x0A, 0x01), "11.0");
    EXPECT_EQ(decodeTone(0xA0, 0x80), "D0100N");
    EXPECT_EQ(decodeTone(0x05, 0x7F), "850.5"); // (7 * 10 + 15) * 100 + 5 tenths
}

TEST(ToneCodec, EncodesNoToneDcsAndTheDOnlyQuirk)
{
    for (const char* none : {"Off", "OFF", "", "abc", "off"})
        EXPECT_EQ(encodeTone(none), (ToneBytes{0xFF, 0xFF})) << none;
    EXPECT_EQ(encodeTone("D023N"), (ToneBytes{0x23, 0x80}));
    EXPECT_EQ(encodeTone("D023I"), (ToneBytes{0x23, 0xC0}));
    EXPECT_EQ(encodeTone("D754I"), (ToneBytes{0x54, 0xC7}));
    EXPECT_EQ(encodeTone("D"), (ToneBytes{0x00, 0xC0}));
    // A DCS text without "N" is stored as inverted.
    EXPECT_EQ(encodeTone("D023X"), (ToneBytes{0x23, 0xC0}));
    // Decoded odd texts come back to their bytes.
    EXPECT_EQ(encodeTone("D06N"), (ToneBytes{0x06, 0x80}));
}

TEST(ToneCodec, TextsMatchingAnEntryIgnoringCaseEncodeAsThatEntry)
{
    EXPECT_EQ(encodeTone("d023n"), (ToneBytes{0x23, 0x80}));
    EXPECT_EQ(encodeTone("d754i"), (ToneBytes{0x54, 0xC7}));
    EXPECT_EQ(encodeTone("D023n"), (ToneBytes{0x23, 0x80}));
    EXPECT_EQ(canonicalTone("d023n"), "D023N");
    EXPECT_EQ(canonicalTone("oFf"), "Off");
    EXPECT_EQ(canonicalTone("67.0"), "67.0");
    EXPECT_EQ(canonicalTone("67"), std::nullopt);
    EXPECT_EQ(canonicalTone("D023"), std::nullopt);
    EXPECT_EQ(canonicalTone("D023NN"), std::nullopt);
    EXPECT_EQ(canonicalTone(std::string_view("Off\0", 4)), std::nullopt);
    EXPECT_EQ(toneIndex("d754i"), 260);
    EXPECT_EQ(toneIndex(""), -1);
    for (int i = 0; i < kToneCount; ++i)
        EXPECT_EQ(toneIndex(toneTable()[std::size_t(i)]), i);
}

TEST(ToneCodec, ValuesThatDoNotFitTheFieldGiveNoTone)
{
    EXPECT_EQ(encodeTone("1000.0"), (ToneBytes{0xFF, 0xFF}));
    EXPECT_EQ(encodeTone("-67.0"), (ToneBytes{0xFF, 0xFF}));
    EXPECT_EQ(encodeTone("999.9"), (ToneBytes{0x99, 0x99}));
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
            const ToneBytes b = encodeTone(text);
            EXPECT_EQ(b, (ToneBytes{std::uint8_t(low), std::uint8_t(high)}))
                << std::hex << low << " " << high << " " << text;
        }
    }
}

} // namespace
} // namespace orvo
