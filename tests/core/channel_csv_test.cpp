// The CSV import of orvo-cli and the window, on its own: what each table does to the channels of
// an image whose Field is "400 - 470MHz", or the errors it gives; and the round trip of export
// and import over random images.
#include "core/formats/channel_csv.h"

#include "core/formats/csv.h"
#include "core/image/channel_codec.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace orvo {
namespace {

const std::string H = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n";

// Field "400 - 470MHz", channel 5 programmed, a pattern in the uninterpreted bytes.
RadioImage uhfImage()
{
    RadioImage image = RadioImage::makeNew();
    image[0x3D2] = 0xF6;
    for (std::size_t i = 0x190; i < 0x280; ++i)
        image[i] = static_cast<std::uint8_t>(i);
    image[0x00F] = 0x42;
    encodeChannel({"446.00625", "446.00625", "", "", "No", "Wide", "Add", "High"}, image, 5);
    return image;
}

struct Case
{
    std::string csv;
    std::vector<std::string> errors; // none: channel `ch` then shows `texts`
    int ch = 0;
    ChannelTexts texts{};
    bool emptyUnlisted = false;
};

TEST(ChannelCsvImport, ChangesOnlyTheChannelsAsTheFormWouldOrReportsEveryBadCell)
{
    const std::string notTone = " is not a tone; give a tone of the list (67.0 ... 254.1, D023N "
                                "... D754I), Off, nothing, or a tone field's two bytes such as "
                                "0xC012";
    const std::string notFrequency = " is not a frequency in MHz such as 146.52000";
    std::string manyBad;
    for (int ch = 1; ch <= 16; ++ch)
        manyBad += std::to_string(ch) + ",x,y,,,,,,\n";
    const Case cases[] = {
        // Tones and words in any case, blanks around the number, CRLF; empty flags take defaults.
        {H + " 1 ,446.00625,446.005,d023n,oFF,,narrow,,LOW\r\n",
         {},
         1,
         {"446.00625", "446.00500", "D023N", "", "No", "Narrow", "Add", "Low"}},
        // Only a transmit frequency: nothing follows it; only a receive one: the transmit does.
        // Digits below 10 Hz are refused, not cut: nothing past the band's edge comes in.
        {H + "2,,446.1,,,,,,\n", {}, 2, {"", "446.10000", "", "", "No", "Wide", "Add", "High"}},
        {H + "7,470.000009,,,,,,,\n",
         {"line 2, column Receive(MHz): \"470.000009\" has digits below 10 Hz, finer than this "
          "radio keeps frequencies"}},
        // A channel without a line is kept, or emptied when unlisted channels are; a line of
        // empty cells empties its channel; a header with blanks is the header.
        {"CH, Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\r\n\r\n",
         {},
         5,
         {"446.00625", "446.00625", "", "", "No", "Wide", "Add", "High"}},
        {H, {}, 5, {}, true},
        {H + "5,,,,,,,,\n", {}, 5, {}},
        // As spreadsheets give it back: a byte order mark, fewer decimals, whole tones, ';'.
        {"\xEF\xBB\xBF"
         "CH;Receive(MHz);Transmit(MHz);Rx Tone;Tx Tone;Busy;W/N;Scan;Power\n1;446.52;\"446.5125\";"
         "67;88.50;;;;\n",
         {},
         1,
         {"446.52000", "446.51250", "67.0", "88.5", "No", "Wide", "Add", "High"}},
        {H + "1,446.0025,,,,,,,",
         {"line 2, column Receive(MHz): Error data Value\uFF0CPlease input according the step "
          "value(6.25K/5k)"}},
        // Off the band and the raster: one message, naming the band.
        {H + "1,446,500.001,,,,,,",
         {"line 2, column Transmit(MHz): 500.00100 is outside the band 400 - 470MHz"}},
        // Decimal commas and stray text are refused, not read as 446.
        {H + "1,\"446,52\",,,,,,,", {"line 2, column Receive(MHz): \"446,52\"" + notFrequency}},
        {H + "1,446,,66,,,,,", {"line 2, column Rx Tone: \"66\"" + notTone}},
        {H + "1,446,,,,Yep,,,", {"line 2, column Busy: \"Yep\" is neither Yes nor No"}},
        {H + "1,,,,,Yes,,,",
         {"line 2, column Busy: a channel without a frequency takes no Busy setting"}},
        // A quoted line break counts as a line; quotes in a quoted field are doubled.
        {H + "1,446,,,,,\"W\"\"\nN\",,\n2,x,,,,,,,",
         {"line 2, column W/N: \"W\"\\x0AN\" is neither Narrow nor Wide",
          "line 4, column Receive(MHz): \"x\"" + notFrequency}},
        {"\"unclosed\n", {"line 1: a quoted field is not closed"}},
        {"1,446,,,,,,,\n",
         {"line 1: the first line must be the header of a channel table (" +
          H.substr(0, H.size() - 1) +
          ") or of a memory CSV (Location,Name,Frequency,\u2026, with at least Location and "
          "Frequency)"}},
        {"", {"line 1: the header line is missing"}},
        {H + "17,446,,,,,,,", {"line 2, column CH: \"17\" is not a channel number from 1 to 16"}},
        {H + "1,446,,,,,,,\n1,446,,,,,,,",
         {"line 3, column CH: channel 1 is already given on line 2"}},
        {H + "1,446,,,,,,," + std::string(4096, ' '),
         {"line 2 is longer than 4 KiB; a channel table's lines are far shorter"}},
        {H + std::string(kMaxCsvBytes, '\n'),
         {"the file is larger than 1 MiB; a channel table is far smaller"}},
        // A long field is cut in the message.
        {H + "1,446,,,,," + std::string(100, 'W') + ",,",
         {"line 2, column W/N: \"" + std::string(40, 'W') + "\"\u2026 is neither Narrow nor Wide"}},
        {H + manyBad, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csv.substr(0, 120));
        RadioImage image = uhfImage();
        const RadioImage before = image;
        const auto errors = messageLines(importChannelCsv(c.csv, image, c.emptyUnlisted));
        if (c.ch == 0) {
            EXPECT_EQ(image, before);
            if (c.errors.empty()) { // 16 bad lines: 32 errors
                ASSERT_EQ(errors.size(), 21u);
                EXPECT_EQ(errors.back(), "\u2026 and 12 more");
            } else {
                EXPECT_EQ(errors, c.errors);
            }
            continue;
        }
        ASSERT_EQ(errors, std::vector<std::string>{});
        EXPECT_EQ(decodeChannel(image, c.ch), c.texts);
        EXPECT_TRUE(c.ch == 5 || isChannelEmpty(image, 5) == c.emptyUnlisted);
        std::copy_n(before.record(1), 16 * kRecordSize, image.record(1));
        EXPECT_EQ(image, before); // nothing but the channel records changed
    }
}

// A random image whose channel fields are drawn from kinds: frequencies missing (byte 3 0xFF or
// 0x00), on the raster inside the image's band, any eight digits, or any bytes; tones missing,
// a table entry, or any bytes. Everything else, flags and step flags included, is random. A
// portable image has only the frequencies that any image of the same band takes.
RadioImage randomImage(std::mt19937& rng, bool portable)
{
    const auto byte = [&rng] { return static_cast<std::uint8_t>(rng()); };
    const auto bcd = [](std::uint32_t v) {
        return static_cast<std::uint8_t>(v / 10 * 16 + v % 10);
    };
    RadioImage image;
    for (std::uint8_t& b : image.bytes)
        b = byte();
    const Band& band = bands()[rng() % 4];
    image[0x3D2] = band.code;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        std::uint8_t* rec = image.record(ch);
        for (std::uint8_t* f : {rec, rec + 4}) {
            const std::uint32_t onRaster =
                band.low + 625 * (rng() % ((band.high - band.low) / 625));
            switch (rng() % (portable ? 2 : 4)) {
            case 0:
                f[3] = rng() % 2 ? 0xFF : 0x00;
                break;
            case 1:
                for (std::uint32_t i = 0, v = onRaster; i < 4; ++i, v /= 100)
                    f[i] = bcd(v % 100);
                break;
            case 2:
                for (int i = 0; i < 4; ++i)
                    f[i] = bcd(i == 3 ? 1 + rng() % 99 : rng() % 100);
                break;
            default:
                f[3] = static_cast<std::uint8_t>(1 + rng() % 0xFE);
                break;
            }
        }
        for (std::uint8_t* t : {rec + 8, rec + 10}) {
            const ToneBytes entry = encodeTone(toneTable()[1 + rng() % (kToneCount - 1)]);
            switch (rng() % 3) {
            case 0:
                t[1] = rng() % 2 ? 0xFF : 0x00;
                break;
            case 1:
                t[0] = entry.low;
                t[1] = entry.high;
                break;
            default:
                break;
            }
        }
    }
    return image;
}

TEST(ChannelCsvRoundTrip, ExportThenImportGivesBackEveryByteAndCarriesEveryText)
{
    std::mt19937 rng(25);
    for (int run = 0; run < 300; ++run) {
        SCOPED_TRACE(run);
        // Into the image itself: every byte comes back, whatever the channels hold.
        const RadioImage image = randomImage(rng, false);
        RadioImage again = image;
        ASSERT_EQ(importChannelCsv(exportChannelCsv(image), again), std::vector<Message>{});
        ASSERT_EQ(again, image);

        // Into another image of the band: every text arrives; a cell that already read the same
        // keeps the other image's bytes, and nothing outside the channels changes.
        const RadioImage from = randomImage(rng, true);
        RadioImage into = randomImage(rng, false);
        into[0x3D2] = from[0x3D2];
        const RadioImage before = into;
        const std::string table = exportChannelCsv(from);
        ASSERT_EQ(importChannelCsv(table, into), std::vector<Message>{});
        EXPECT_EQ(exportChannelCsv(into), table);
        const auto a = parseCsv(table).records, b = parseCsv(exportChannelCsv(before)).records;
        for (int ch = 1; ch <= kChannelCount; ++ch) {
            for (int c = kColReceive; c <= kColPower; ++c) {
                if (a[ch].fields[c] != b[ch].fields[c])
                    continue;
                for (const ColumnBits& bits : channelColumnBits(c))
                    EXPECT_EQ(into.record(ch)[bits.byte] & bits.mask,
                              before.record(ch)[bits.byte] & bits.mask);
            }
        }
        std::copy_n(before.record(1), kChannelCount * kRecordSize, into.record(1));
        EXPECT_EQ(into, before);
    }
}

TEST(CsvLine, QuotesOnlyWhatMustBeQuotedAndParsesBack)
{
    EXPECT_EQ(csvLine({"1", "446.00625", ""}), "1,446.00625,\r\n");
    const std::vector<std::string> odd{"a,b", "q\"q", "line\nbreak", " blank "};
    const std::string line = csvLine(odd);
    EXPECT_EQ(line, "\"a,b\",\"q\"\"q\",\"line\nbreak\", blank \r\n");
    EXPECT_EQ(parseCsv(line).records.at(0).fields, odd);
}

} // namespace
} // namespace orvo
