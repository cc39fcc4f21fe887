// The memory CSV of other programs: what each memory becomes in our channel table or why it is
// refused, and that export then import gives back the same channels.
#include "core/formats/common_csv.h"

#include "core/editing/band_check.h"
#include "core/formats/csv.h"
#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

namespace orvo {
namespace {

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";

RadioImage imageOfField(int field)
{
    RadioImage image = RadioImage::makeNew();
    selectBand(image, field);
    return image;
}

// Rx, Tx, Rx Tone, Tx Tone, then W/N, Scan, Power; Busy is always "No".
ChannelTexts texts(std::string rx, std::string tx, std::string rxTone, std::string txTone,
                   std::string width = "Wide", std::string scan = "Add", std::string power = "High")
{
    return {rx, tx, rxTone, txTone, "No", width, scan, power};
}

// The columns of each data line of an exported text, by name.
std::vector<std::map<std::string, std::string>> exportedLines(const std::string& text)
{
    const auto records = parseCsv(text).records;
    std::vector<std::map<std::string, std::string>> lines;
    for (std::size_t r = 1; r < records.size(); ++r) {
        auto& line = lines.emplace_back();
        for (std::size_t c = 0; c < records[0].fields.size(); ++c)
            line[records[0].fields[c]] = records[r].fields.at(c);
    }
    return lines;
}

struct LineCase
{
    int field;
    std::string line;   // after the header; several lines where the case needs them
    std::string result; // the refusal, or empty: channel 1 then shows `channel`
    ChannelTexts channel{};
};

TEST(CommonCsv, EachMemoryGivesTheChannelTypingWouldOrItsRefusalAndNothingChanges)
{
    const std::string step = "Error data Value\uFF0CPlease input according the step "
                             "value(6.25K/5k)";
    const LineCase cases[] = {
        // A band's edges: an offset that leaves the band, a split transmit inside it.
        {0, "1,,174.000000,+,0.005000,,,,,,,,,,,,,,,,",
         "line 2, column Offset: the transmit frequency 174.00500 is outside the band 136 - "
         "174MHz"},
        {2, "1,,470.000000,split,400,,,,,,,,,,,,,,,,", "", texts("470.00000", "400.00000", "", "")},
        {2, "1,,446.000000,-,46.005,,,,,,,,,,,,,,,,",
         "line 2, column Offset: the transmit frequency 399.99500 is outside the band 400 - "
         "470MHz"},
        // Words in any letter case; columns no mode reads may hold anything.
        {2, "1,,446.00625,OFF,,tsql,x,88.50,x,x,x,x,nfm,x,s,low,,,,,", "",
         texts("446.00625", "", "88.5", "88.5", "Narrow", "Delete", "Low")},
        {2, "1,,446.00625,,,dtcs,,,23,nr,,,,,,,,,,,", "",
         texts("446.00625", "446.00625", "D023I", "D023N")},
        {2, "1,,446.00625,,,Cross,100,,,,,tone->,,,,,,,,,", "",
         texts("446.00625", "446.00625", "", "100.0")},
        // A transmit frequency alone, as the export writes it.
        {2, "1,,,split,446.1,,,,,,,,,,,,,,,,", "", texts("", "446.10000", "", "")},
        // Powers in watts: the highest is High, a lower one Low, a single one High.
        {2, "1,,446,,,,,,,,,,,,,5.0W,,,,,\n2,,446,,,,,,,,,,,,,0.5 w,,,,,", "",
         texts("446.00000", "446.00000", "", "")},
        {2, "1,,446,,,,,,,,,,,,,0.5W,,,,,\n2,,446,,,,,,,,,,,,,5,,,,,", "",
         texts("446.00000", "446.00000", "", "", "Wide", "Add", "Low")},
        {2, "1,,446,,,,,,,,,,,,,1W,,,,,", "", texts("446.00000", "446.00000", "", "")},
        // What typing refuses, and what this radio cannot hold.
        {2, "1,,446.0025,,,,,,,,,,,,,,,,,,", "line 2, column Frequency: " + step},
        {2, "1,,600.1,,,,,,,,,,,,,,,,,,",
         "line 2, column Frequency: Error Data Format\uFF0CPlease input again"},
        {2, "1,,\"446,52\",,,,,,,,,,,,,,,,,,",
         "line 2, column Frequency: \"446,52\" is not a frequency in MHz such as 146.520000"},
        {2, "1,,446,+,0.0025,,,,,,,,,,,,,,,,",
         "line 2, column Offset: the transmit frequency 446.00250: " + step},
        {2, "1,,446,-,500,,,,,,,,,,,,,,,,",
         "line 2, column Offset: the transmit frequency -54.00000: Error Data Format\uFF0CPlease "
         "input again"},
        {2, "1,,446,+,,,,,,,,,,,,,,,,,",
         "line 2, column Offset: \"\" is not an offset in MHz such as 0.600000"},
        // A refused Frequency is the line's one refusal: no offset is added to it.
        {2, "1,,146.52,+,0.6,,,,,,,,,,,,,,,,",
         "line 2, column Frequency: 146.52000 is outside the band 400 - 470MHz"},
        {2, "1,,446,dup,,,,,,,,,,,,,,,,,",
         "line 2, column Duplex: \"dup\" is not a duplex: give nothing, +, -, split or off"},
        {2, "1,,446,,,TSQL-R,,,,,,,,,,,,,,,",
         "line 2, column Tone: \"TSQL-R\" is not a tone mode: give nothing, Tone, TSQL, DTCS or "
         "Cross"},
        {2, "1,,446,,,Cross,,,,,,Tone->Off,,,,,,,,,",
         "line 2, column CrossMode: \"Tone->Off\" is not a cross mode: give Tone->Tone, "
         "Tone->DTCS, DTCS->Tone, DTCS->DTCS, Tone->, DTCS->, ->Tone or ->DTCS"},
        {2, "1,,446,,,Tone,88.6,,,,,,,,,,,,,,",
         "line 2, column rToneFreq: \"88.6\" is not a CTCSS tone of the list (67.0 ... 254.1)"},
        {2, "1,,446,,,DTCS,,,024,NN,,,,,,,,,,,",
         "line 2, column DtcsCode: \"024\" is not a DCS code of the list (023 ... 754)"},
        {2, "1,,446,,,DTCS,,,023,N,,,,,,,,,,,",
         "line 2, column DtcsPolarity: \"N\" is not a DCS polarity: give two letters N (normal) "
         "or R (reversed), transmit then receive, such as NN"},
        {2, "1,,446,,,,,,,,,,AM,,,,,,,,",
         "line 2, column Mode: \"AM\" is not a mode this radio has: give FM (wide) or NFM "
         "(narrow)"},
        {2, "1,,446,,,,,,,,,,,,P,,,,,,",
         "line 2, column Skip: \"P\" is not a scan setting: give nothing (scanned) or S (skipped)"},
        {2, "1,,446,,,,,,,,,,,,,Mid,,,,,",
         "line 2, column Power: \"Mid\" is not a power: give High, Low or watts such as 5.0W"},
        // Locations outside 1..16, twice the same, and lines that do not fit the header.
        {2, "17,,446,,,,,,,,,,,,,,,,,,",
         "line 2, column Location: \"17\" is not a channel of this radio (1 to 16)"},
        {2, "1,,446,,,,,,,,,,,,,,,,,,\n1,,446,,,,,,,,,,,,,,,,,,",
         "line 3, column Location: channel 1 is already given on line 2"},
        {2, "1,a,b,446,,,,,,,,,,,,,,,,,,", "line 2: 21 fields expected, found 22"},
        {2, "1,,446\x1B[2J,,,,,,,,,,,,,,,,,,",
         "line 2, column Frequency: \"446\\x1B[2J\" is not a frequency in MHz such as "
         "146.520000"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.line);
        RadioImage image = imageOfField(c.field);
        const RadioImage before = image;
        const std::vector<std::string> result =
            messageLines(importCommonCsv(kHeader + c.line, image));
        if (!c.result.empty()) {
            EXPECT_EQ(result, std::vector{c.result});
            EXPECT_EQ(image, before);
            continue;
        }
        ASSERT_EQ(result, std::vector<std::string>{});
        EXPECT_EQ(decodeChannel(image, 1), c.channel);
        // Export then import of the channel gives it back.
        RadioImage back = imageOfField(c.field);
        EXPECT_EQ(importCommonCsv(exportCommonCsv(image).text, back), std::vector<Message>{});
        EXPECT_EQ(back, image);
    }
}

TEST(CommonCsv, TheHeaderNamesTheColumnsInAnyOrderAndIsRequired)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> result; // empty: channel 2 shows 446.00000 / 446.60000, 67.0
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF\r\n Frequency ,Tone,Location,rToneFreq,Duplex,Offset,Extra\r\n\r\n"
         "446,Tone,2,67,+,0.6,x\r\n\r\n",
         {}},
        {"Location,Frequency,Frequency\n",
         {"line 1, column Frequency: the header names this "
          "column twice"}},
        {"Location,Name\n1,x\n", {"line 1, column Frequency: the header lacks it"}},
        {"", {"line 1: the header line is missing"}},
        {"Location,Frequency\n1,\"446\n", {"line 2: a quoted field is not closed"}},
        {kHeader + std::string(kMaxCommonCsvBytes, '\n'),
         {"the file is larger than 1 MiB; a memory list is far smaller"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        RadioImage image = imageOfField(2);
        encodeChannel(texts("446.00625", "446.00625", "D023N", "D023N"), image, 5);
        const RadioImage before = image;
        const std::vector<std::string> result = messageLines(importCommonCsv(c.text, image));
        if (!c.result.empty()) {
            EXPECT_EQ(result, c.result);
        } else {
            // Channel 2 changes, every other byte stays.
            RadioImage expected = before;
            encodeChannel(texts("446.00000", "446.60000", "", "67.0"), expected, 2);
            EXPECT_TRUE(isCommonCsv(c.text));
            EXPECT_EQ(result, std::vector<std::string>{});
            EXPECT_EQ(image, expected);
            continue;
        }
        EXPECT_EQ(image, before);
    }
    EXPECT_FALSE(isCommonCsv("CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power"));
}

// A channel in any band, on either raster, with any tones and flags; a quarter are empty and
// some have one frequency only.
ChannelTexts randomChannel(std::mt19937& random, const Band& band)
{
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto frequency = [&] {
        const std::uint32_t raster = pick(2) ? 625 : 500;
        const std::uint32_t first = (band.low + raster - 1) / raster;
        const std::uint32_t units =
            (first + random() % ((band.high - first * raster) / raster + 1)) * raster;
        return formatFixed(units / 100000.0, 5);
    };
    const auto tone = [&] {
        return pick(3) == 0 ? std::string() : toneTable()[static_cast<std::size_t>(1 + pick(260))];
    };
    if (pick(4) == 0)
        return {};
    const int which = pick(6);
    const std::string rx = which == 0 ? "" : frequency();
    const std::string tx = which == 1 ? "" : which == 2 ? rx : frequency();
    const std::string rxTone = tone();
    return {rx,
            tx,
            rxTone,
            pick(3) == 0 ? rxTone : tone(),
            pick(2) ? "Yes" : "No",
            pick(2) ? "Wide" : "Narrow",
            pick(2) ? "Add" : "Delete",
            pick(2) ? "High" : "Low"};
}

TEST(CommonCsv, ExportThenImportGivesBackTheChannelsOfRandomImagesBusyAside)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const int field = static_cast<int>(random() % 4);
        RadioImage image = imageOfField(field);
        std::vector<int> busy;
        for (int ch = 1; ch <= kChannelCount; ++ch) {
            const ChannelTexts t = randomChannel(random, bands()[static_cast<std::size_t>(field)]);
            encodeChannel(t, image, ch);
            if (t[kColBusy - 1] == "Yes" && !isChannelEmpty(image, ch))
                busy.push_back(ch);
        }
        const CommonCsvExport exported = exportCommonCsv(image);
        EXPECT_EQ(exported.busyChannels, busy);
        RadioImage back = imageOfField(field);
        ASSERT_EQ(importCommonCsv(exported.text, back), std::vector<Message>{});
        for (int ch = 1; ch <= kChannelCount; ++ch) {
            ChannelTexts expected = decodeChannel(image, ch);
            if (!isChannelEmpty(image, ch))
                expected[kColBusy - 1] = "No";
            EXPECT_EQ(decodeChannel(back, ch), expected) << "channel " << ch;
        }
    }
}

TEST(CommonCsv, ExportSaysWhatItCannotCarryAndSplitsOnlyAcrossBands)
{
    RadioImage image = imageOfField(0);
    encodeChannel(texts("146.52000", "446.00000", "", ""), image, 1);
    encodeChannel({"146.52000", "146.52000", "", "", "Yes", "Wide", "Add", "High"}, image, 3);
    encodeChannel({"", "147.00000", "", "", "Yes", "Wide", "Add", "High"}, image, 4);
    encodeChannel(texts("146.52000", "146.52000", "", "67.0"), image, 5);
    image.record(5)[10] = 0x69; // a CTCSS tone of 66.9 Hz, which the table lacks
    encodeChannel(texts("146.52000", "146.52000", "", ""), image, 6);
    image.record(6)[0] = 0x01; // 146.52001 MHz: off the raster
    const CommonCsvExport exported = exportCommonCsv(image);
    EXPECT_EQ(messageLines(exportRemarks(exported)),
              std::vector<std::string>(
                  {"the common memory CSV has no Busy column: Busy Yes of channels 3, 4 is not "
                   "written",
                   "channel 4 has a transmit frequency only: its line leaves Frequency empty, "
                   "which other programs may refuse",
                   "channel 5 is left out: its Tx Tone \"66.9\" is not in the tone table",
                   "channel 6 is left out: its Receive(MHz) 146.52001 lies outside 60 - 600 MHz "
                   "or off the 6.25 / 5 kHz raster"}));
    const auto lines = exportedLines(exported.text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(std::vector({lines[0].at("Location"), lines[0].at("Frequency"), lines[0].at("Duplex"),
                           lines[0].at("Offset")}),
              std::vector<std::string>({"1", "146.520000", "split", "446.000000"}));
    EXPECT_EQ(lines[2].at("Location"), "4");
    EXPECT_TRUE(exportRemarks(exportCommonCsv(imageOfField(0))).empty());
}

} // namespace
} // namespace orvo
