// The image's fields as the form shows them: tones, channel records and the radio-wide settings,
// decoded to texts and selections and encoded back.
#include "core/image/channel_codec.h"
#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

// An image whose channel 5 record holds these 16 bytes, written as 32 hex digits.
RadioImage withRecord(std::string_view hex)
{
    RadioImage image = RadioImage::makeNew();
    for (std::size_t i = 0; i < 16; ++i)
        image.record(5)[i] =
            static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(2 * i, 2)), nullptr, 16));
    return image;
}

std::string recordHex(const RadioImage& image)
{
    char hex[33];
    for (std::size_t i = 0; i < 16; ++i)
        std::snprintf(hex + 2 * i, 3, "%02X", image.record(5)[i]);
    return hex;
}

TEST(ToneTable, EveryEntryRoundTripsCtcssAscendingThenDcsNormalThenTheSameInverted)
{
    const auto& t = toneTable();
    EXPECT_EQ(encodeTone(t[0]), (ToneBytes{0xFF, 0xFF}));
    for (std::size_t i = 1; i < t.size(); ++i) {
        const ToneBytes b = encodeTone(t[i]);
        EXPECT_EQ(decodeTone(b.low, b.high), t[i]) << i;
        EXPECT_EQ(toneIndex(t[i]), int(i));
        if (i >= 2 && i <= 50) {
            EXPECT_LT(leadingNumber(t[i - 1]), leadingNumber(t[i])) << t[i];
        } else if (i >= 52 && i <= 155) {
            EXPECT_LT(t[i - 1], t[i]);
        }
        if (i >= 51 && i <= 155) {
            EXPECT_EQ(t[i + 105], t[i].substr(0, 4) + "I");
        }
    }
}

TEST(ToneCodec, TextsAndBytesWithTheirQuirks)
{
    const struct
    {
        const char* text;
        ToneBytes bytes;
        bool decodes; // to the text
    } cases[] = {
        {"67.0", {0x70, 0x06}, true},    {"69.3", {0x93, 0x06}, true}, // not 692 from a float
        {"254.1", {0x41, 0x25}, true},   {"100.0", {0x00, 0x10}, true},
        {"D023N", {0x23, 0x80}, true},   {"D023I", {0x23, 0xC0}, true},
        {"D754I", {0x54, 0xC7}, true},   {"D06N", {0x06, 0x80}, true}, // a first 0 stays a "0"
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
    EXPECT_EQ(decodeTone(0x23, 0x00) + decodeTone(0x23, 0xFF), "");
    EXPECT_EQ(decodeTone(0x0A, 0x01), "11.0");
    EXPECT_EQ(decodeTone(0xA0, 0x80), "D0100N");
    EXPECT_EQ(canonicalTone("d023n"), "D023N");
    EXPECT_EQ(canonicalTone("oFf"), "Off");
    const std::string_view nones[] = {"67", "D023", "D023NN", std::string_view("Off\0", 4), ""};
    for (std::string_view none : nones)
        EXPECT_EQ(canonicalTone(none), std::nullopt) << none;
}

TEST(ChannelFrequencies, TextsEncodeRoundedWithTheirStepFlagOrAsNoFrequencyKeepingTheFlag)
{
    const struct
    {
        const char* text;
        const char* field; // hex, both frequencies
        int step;          // -1: kept
    } cases[] = {
        {"462.5625", "50622546", 1},  {"145.00500", "00055014", 0},
        {"146.52000", "00206514", 0}, {"440.00000", "00000044", 1}, // at or above 300 MHz
        {"146.00625", "25066014", 1},                               // multiple of 6.25 kHz
        {"446.00625", "25066044", 1},
        {"256.02500", "00256025", 1}, // 25602499.99.. without rounding
        {"299.99500", "00959929", 0}, {"300", "00000030", 1},
        {"300.005", "00050030", 1}, // off the 6.25 kHz raster
        {"162.5abc", "00002516", 1},  {"999.99999", "99999999", 1},
        {"1000", "FFFFFFFF", -1}, // does not fit eight digits
        {"-446", "FFFFFFFF", -1},     {"abc", "FFFFFFFF", -1},
        {"", "FFFFFFFF", -1},
    };
    for (const auto& c : cases) {
        RadioImage image = withRecord("FFFFFFFFFFFFFFFFFFFFFFFFFF5555FF");
        ChannelTexts t{};
        t[0] = t[1] = c.text;
        encodeChannel(t, image, 5);
        const std::string step = c.step < 0 ? "55" : c.step ? "01" : "00";
        EXPECT_EQ(recordHex(image).substr(0, 16), std::string(c.field) + c.field) << c.text;
        EXPECT_EQ(recordHex(image).substr(26, 4), step + step) << c.text;
        EXPECT_EQ(decodeChannel(image, 5)[0], decodeFrequency(image.record(5))) << c.text;
    }
}

TEST(ChannelRecords, FlagsShowOnlyWithAFrequencyAndValidRecordsEncodeBackByteForByte)
{
    const struct
    {
        const char* record;
        ChannelTexts texts;
        bool encodesBack = false;
    } cases[] = {
        // Only a transmit frequency: the row shows it, its flags, and an empty receive cell.
        {"FFFFFFFF00000146FFFF23C0000000FF",
         {"", "460.10000", "", "D023I", "Yes", "Wide", "Delete", "Low"}},
        {"FFFFFFFF00000146FFFF23C0550000FF",
         {"", "460.10000", "", "D023I", "No", "Narrow", "Add", "High"}},
        // Nibbles above 9 add their value.
        {"00000001000000A0FFFFFFFF550101FF",
         {"10.00000", "1000.00000", "", "", "No", "Narrow", "Add", "High"}},
        // Bytes 3 and 7 both FF or 00: empty, whatever the flag byte; tones still decode.
        {"000001FF000001FF7006FFFF000000FF", {"", "", "67.0", "", "", "", "", ""}},
        {"000001FF000001007006FFFF000000FF", {"", "", "67.0", "", "", "", "", ""}},
        {"506225460005501423C04125AB01003C",
         {"462.56250", "145.00500", "D023I", "254.1", "No", "Wide", "Delete", "Low"},
         true},
    };
    for (const auto& c : cases) {
        RadioImage image = withRecord(c.record);
        EXPECT_EQ(decodeChannel(image, 5), c.texts) << c.record;
        EXPECT_EQ(isChannelEmpty(image, 5), c.texts[0].empty() && c.texts[1].empty());
        encodeChannel(c.texts, image, 5);
        EXPECT_EQ(recordHex(image) == c.record, c.encodesBack) << c.record;
    }
}

TEST(ChannelRecords, EncodingSetsFrequenciesTonesAndTheExactFlagWordsKeepingOtherBits)
{
    const struct
    {
        ChannelTexts texts;
        const char* record; // from 5062254650622546700670065A01015A
    } cases[] = {
        // Empty: no frequency, no tone; flag bits 0 and 2 set, 4 and 6 cleared, the others kept.
        {{}, "FFFFFFFFFFFFFFFFFFFFFFFF0F01015A"},
        // Flag words are compared exactly: any other text is the other state.
        {{"146.52000", "", "", "", "yes", "wide", "add", "high"},
         "00206514FFFFFFFFFFFFFFFF0F00015A"},
        {{"146.52000", "", "D023N", "", "Yes", "Narrow", "Add", "High"},
         "00206514FFFFFFFF2380FFFF5E00015A"},
    };
    for (const auto& c : cases) {
        RadioImage image = withRecord("5062254650622546700670065A01015A");
        encodeChannel(c.texts, image, 5);
        EXPECT_EQ(recordHex(image), c.record);
    }
}

SettingSelections decoded(const RadioImage& image)
{
    SettingSelections s = initialSelections();
    decodeSettings(image, s);
    return s;
}

RadioImage newImageWith(std::size_t offset, std::uint8_t value)
{
    RadioImage image = RadioImage::makeNew();
    image[offset] = value;
    return image;
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
        {0x3C0, 0xF7, SettingBox::Beep, "Enable", true},
        {0x3C0, 0xF7, SettingBox::VoiceAnnunciation, "Chinese", true},
        {0x3C0, 0x20, SettingBox::VoiceAnnunciation, "Off", false},
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
        const SettingSelections s = decoded(newImageWith(c.offset, c.value));
        const auto& entries = settingBoxes()[std::size_t(c.box)].entries;
        EXPECT_EQ(entries[std::size_t(s[std::size_t(c.box)])], c.shown) << int(c.value);
        RadioImage image = RadioImage::makeNew();
        encodeSettings(s, image);
        EXPECT_EQ(image[c.offset] == c.value, c.roundTrips) << std::hex << c.offset;
    }
    // Every function byte survives decode and encode, but for voice 2.
    for (int b = 0; b < 256; ++b) {
        RadioImage image = newImageWith(0x3C0, std::uint8_t(b));
        encodeSettings(decoded(image), image);
        EXPECT_EQ(image[0x3C0], ((b >> 4) & 3) == 2 ? (b & ~0x30) : b) << b;
    }
}

// Every byte a pattern: what saving from the form and picking the type may change.
TEST(WholeImage, SavingFromTheFormOrPickingTheTypeChangesOnlyWhatTheyOwn)
{
    RadioImage before;
    for (std::size_t i = 0; i < kImageSize; ++i)
        before[i] = static_cast<std::uint8_t>(i * 37 + 11);
    RadioImage saved = before, typed = before;
    for (int ch = 1; ch <= kChannelCount; ++ch)
        encodeChannel(decodeChannel(saved, ch), saved, ch);
    encodeSettings(decoded(saved), saved);
    applyTypeSelection(typed);
    const RadioImage fresh = RadioImage::makeNew();
    for (std::size_t i = 0; i < kImageSize; ++i) {
        const std::size_t rec = i / 16, byte = i % 16;
        const bool channel = rec >= 1 && rec <= 16, code = i == 0x3D2 || i == 0x3D6;
        const bool setting = (i >= 0x3C1 && i <= 0x3C3) || code;
        const std::uint8_t kept = channel && byte == 12 ? 0xAA : i == 0x3C0 ? 0x08 : 0xFF;
        if (!(channel && byte <= 14 && byte != 12) && !setting) {
            ASSERT_EQ(saved[i] & kept, before[i] & kept) << std::hex << i;
        }
        const bool pair = rec >= 17 && rec <= 24 && (byte <= 7 || byte == 13 || byte == 14);
        ASSERT_EQ(typed[i], pair || code ? fresh[i] : before[i]) << std::hex << i;
    }
    // Not a ZT-4 image: the form's first Type is selected, and saving writes the ZT-4's codes.
    EXPECT_EQ(saved[0x3D2], 0xF6);
    EXPECT_EQ(saved[0x3D6], 0x33);
    // A new image shows sixteen empty channels and these settings; saving it writes only what
    // the channel records say.
    // Type, Field, Scan, Beep, Battery, Squelch, TxTime, Voice, Moni, Urgency
    EXPECT_EQ(decoded(fresh), (SettingSelections{0, 0, 1, 0, 1, 9, 6, 2, 3, 3}));
    saved = fresh;
    RadioImage want = fresh;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        EXPECT_EQ(decodeChannel(fresh, ch), ChannelTexts{}) << ch;
        encodeChannel(decodeChannel(saved, ch), saved, ch);
        std::fill_n(want.record(ch), 12, 0xFF); // 0x012 is FE, but byte 3 says "no frequency"
        want.record(ch)[12] = 0xAF;
    }
    EXPECT_EQ(saved, want);
}

} // namespace
} // namespace orvo
