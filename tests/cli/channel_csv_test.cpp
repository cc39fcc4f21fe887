#include "channel_csv.h"

#include "image/channel_codec.h"

#include <gtest/gtest.h>

namespace orvo::cli {
namespace {

const std::string kHeader = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n";

// A new image whose Field is "400 - 470MHz" and whose uninterpreted bytes carry a pattern.
RadioImage uhfImage()
{
    RadioImage image = RadioImage::makeNew();
    image[0x3D2] = 0xF6;
    for (std::size_t i = 0x190; i < 0x280; ++i)
        image[i] = static_cast<std::uint8_t>(i);
    image[0x00F] = 0x42;
    return image;
}

std::string fullRecords(const RadioImage& image)
{
    return std::string(reinterpret_cast<const char*>(image.record(1)), 16 * 16);
}

TEST(ChannelCsvExport, WritesTheHeaderAndSixteenLinesAsTheGridShowsThem)
{
    RadioImage image = RadioImage::makeNew();
    encodeChannel({"446.00625", "", "D023N", "", "No", "Narrow", "Add", "Low"}, image, 3);
    const std::string csv = exportChannelCsv(image);
    std::string want = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\r\n";
    for (int ch = 1; ch <= 16; ++ch) {
        want += std::to_string(ch) +
                (ch == 3 ? ",446.00625,,D023N,,No,Narrow,Add,Low\r\n" : ",,,,,,,,\r\n");
    }
    EXPECT_EQ(csv, want);
}

TEST(ChannelCsvImport, ExportedTablesComeBackByteForByte)
{
    RadioImage image = uhfImage();
    encodeChannel({"446.00625", "", "D023N", "", "No", "Narrow", "Add", "Low"}, image, 3);
    encodeChannel({"", "446.10000", "", "254.1", "Yes", "Wide", "Delete", "High"}, image, 9);
    encodeChannel({"462.56250", "467.56250", "67.0", "D754I", "No", "Wide", "Add", "High"}, image,
                  16);
    for (int ch = 1; ch <= 16; ++ch)
        encodeChannel(decodeChannel(image, ch), image, ch); // as saved from the form
    const RadioImage before = image;
    ASSERT_EQ(importChannelCsv(exportChannelCsv(image), image), std::vector<std::string>{});
    EXPECT_EQ(image, before);
}

TEST(ChannelCsvImport, ChangesOnlyChannelRecordsAndEmptiesChannelsWithoutALine)
{
    RadioImage image = uhfImage();
    encodeChannel({"446.00625", "446.00625", "", "", "No", "Wide", "Add", "High"}, image, 5);
    const RadioImage before = image;
    ASSERT_TRUE(importChannelCsv(kHeader + "7,446.1,,,,,,,\n", image).empty());
    EXPECT_TRUE(isChannelEmpty(image, 5));
    EXPECT_EQ(decodeChannel(image, 7),
              (ChannelTexts{"446.10000", "446.10000", "", "", "No", "Wide", "Add", "High"}));
    for (std::size_t i = 0; i < 1024; ++i) {
        if (i >= 16 && i < 17 * 16)
            continue;
        ASSERT_EQ(image[i], before[i]) << std::hex << i;
    }
}

TEST(ChannelCsvImport, NormalisesTonesAndWordsAndFillsEmptyFlags)
{
    RadioImage image = uhfImage();
    const auto errors = importChannelCsv(
        kHeader + " 1 ,446.00625,446.005,d023n,oFF,,narrow,,LOW\r\n2,,446.1,,,,,,\r\n", image);
    ASSERT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(decodeChannel(image, 1),
              (ChannelTexts{"446.00625", "446.00500", "D023N", "", "No", "Narrow", "Add", "Low"}));
    // Only a transmit frequency: nothing follows it, but its flags take their defaults.
    EXPECT_EQ(decodeChannel(image, 2),
              (ChannelTexts{"", "446.10000", "", "", "No", "Wide", "Add", "High"}));
}

struct BadCase
{
    std::string lines;
    std::vector<std::string> errors;
};

TEST(ChannelCsvImport, BadCellsAreReportedWithLineAndColumnAndChangeNothing)
{
    const std::string notTone = " is not a tone; give a tone of the list (67.0 ... 254.1, D023N "
                                "... D754I), Off or nothing";
    const std::string notFrequency = " is not a frequency in MHz such as 146.52000";
    std::string manyBad;
    for (int ch = 1; ch <= 16; ++ch)
        manyBad += std::to_string(ch) + ",x,y,,,,,,\n";
    const BadCase cases[] = {
        {"1,446.0025,,,,,,,",
         {"line 2, column Receive(MHz): Error data Value\uFF0CPlease input "
          "according the step value(6.25K/5k)"}},
        // Off the band and the raster: one message, naming the band.
        {"1,446,500.001,,,,,,",
         {"line 2, column Transmit(MHz): 500.00100 is outside the band 400 "
          "- 470MHz"}},
        {"1,146.52,,,,Yes,,,",
         {"line 2, column Receive(MHz): 146.52000 is outside the band 400 - 470MHz"}},
        {"1,600.1,,,,,,,",
         {"line 2, column Receive(MHz): Error Data Format\uFF0CPlease input again"}},
        {"1,abc,,,,,,,", {"line 2, column Receive(MHz): \"abc\"" + notFrequency}},
        // Decimal commas and stray text are refused, not read as 446.
        {"1,\"446,52\",,,,,,,", {"line 2, column Receive(MHz): \"446,52\"" + notFrequency}},
        {"1,\"446,520.0\",,,,,,,", {"line 2, column Receive(MHz): \"446,520.0\"" + notFrequency}},
        {"1,446.\"52,,,,,,,", {"line 2, column Receive(MHz): \"446.\"52\"" + notFrequency}},
        {"1,446,,66,,,,,", {"line 2, column Rx Tone: \"66\"" + notTone}},
        {"1,446,,\x1B[2J\x7F,,,,,", {"line 2, column Rx Tone: \"\\x1B[2J\\x7F\"" + notTone}},
        {"1,446,,,,maybe,,,", {"line 2, column Busy: \"maybe\" is neither Yes nor No"}},
        {"1,,,,,Yes,,,",
         {"line 2, column Busy: a channel without a frequency takes no Busy setting"}},
        {"1,446,,,,,,", {"line 2: 9 fields expected, found 8"}},
        {"1,446,,,,,,,,", {"line 2: 9 fields expected, found 10"}},
        {"17,446,,,,,,,", {"line 2, column CH: \"17\" is not a channel number from 1 to 16"}},
        {"x,446,,,,,,,", {"line 2, column CH: \"x\" is not a channel number from 1 to 16"}},
        {"1,446,,,,,,,\n1,446,,,,,,,", {"line 3, column CH: channel 1 is already given on line 2"}},
        {"1,446,,,,,,," + std::string(4096, ' '),
         {"line 2 is longer than 4 KiB; a channel table's lines are far shorter"}},
        {std::string(kMaxCsvBytes, '\n'),
         {"the file is larger than 1 MiB; a channel table is far smaller"}},
        // A long field is cut in the message.
        {"1,446,,,,," + std::string(100, 'W') + ",,",
         {"line 2, column W/N: \"" + std::string(40, 'W') + "\"\u2026 is neither Narrow nor Wide"}},
        {manyBad, {}},
    };
    for (const BadCase& c : cases) {
        RadioImage image = uhfImage();
        const RadioImage before = image;
        const auto errors = importChannelCsv(kHeader + c.lines + "\n", image);
        if (c.errors.empty()) {
            ASSERT_EQ(errors.size(), 21u);
            EXPECT_EQ(errors.back(), "\u2026 and 12 more");
        } else {
            EXPECT_EQ(errors, c.errors) << c.lines.substr(0, 80);
        }
        EXPECT_EQ(image, before) << c.lines.substr(0, 80);
    }
}

TEST(ChannelCsvImport, FrequenciesAreCheckedAgainstTheBandOfTheImage)
{
    RadioImage vhf = RadioImage::makeNew(); // Field "136 - 174MHz"
    EXPECT_EQ(importChannelCsv(kHeader + "1,446.00625,,,,,,,\n", vhf),
              std::vector<std::string>{
                  "line 2, column Receive(MHz): 446.00625 is outside the band 136 - 174MHz"});
    // As spreadsheets give them back: fewer decimals, whole tones, ';' between fields.
    EXPECT_TRUE(importChannelCsv("CH;Receive(MHz);Transmit(MHz);Rx Tone;Tx Tone;Busy;W/N;Scan;"
                                 "Power\n1;146.52;146.5125;67;88.50;;;;\n",
                                 vhf)
                    .empty());
    EXPECT_EQ(decodeChannel(vhf, 1), (ChannelTexts{"146.52000", "146.51250", "67.0", "88.5", "No",
                                                   "Wide", "Add", "High"}));
}

TEST(ChannelCsvImport, TheHeaderMustComeFirst)
{
    RadioImage image = uhfImage();
    EXPECT_EQ(importChannelCsv("1,446,,,,,,,\n", image).size(), 1u);
    EXPECT_EQ(importChannelCsv("", image),
              std::vector<std::string>{"line 1: the header line is missing"});
    EXPECT_EQ(importChannelCsv("\"unclosed\n", image),
              std::vector<std::string>{"line 1: a quoted field is not closed"});
    // A header written with blanks around its names is still the header.
    EXPECT_TRUE(importChannelCsv("CH, Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,"
                                 "Power\r\n\r\n",
                                 image)
                    .empty());
    EXPECT_EQ(fullRecords(image), fullRecords([] {
                  RadioImage empty = uhfImage();
                  for (int ch = 1; ch <= 16; ++ch)
                      encodeChannel({}, empty, ch);
                  return empty;
              }()));
}

} // namespace
} // namespace orvo::cli
