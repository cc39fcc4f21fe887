// Lists as other programs write them: where each line goes, what is skipped and why, and that
// an all-or-nothing import refuses the whole file on any line this radio cannot take.
#include "core/formats/channel_import.h"

#include "core/image/settings_codec.h"
#include "core/message/message.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace orvo {
namespace {

std::string dataFile(const std::string& name)
{
    std::ifstream in(std::string(ORVO_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct PlaceCase
{
    std::string file;
    ImportChoice choice;
    std::string placed;                // "line>channel receive" for each placed line
    std::vector<std::string> skipped;  // the first skipped lines, "line L: skipped: ..."
    std::string refused;               // the first refusal of an all-or-nothing import
};

std::string placedText(const ImportPlan& plan, const RadioImage& image)
{
    RadioImage after = image;
    applyImport(plan, after);
    std::string out;
    for (const ImportLine& line : plan.lines) {
        if (line.channel > 0)
            out += (out.empty() ? "" : " ") + std::to_string(line.line) + ">" +
                   std::to_string(line.channel) + " " + decodeChannel(after, line.channel)[0];
    }
    return out;
}

TEST(ChannelImport, PlacesTheLinesItCanTakeAndSaysWhyItSkipsTheOthers)
{
    const std::string below10Hz = "has digits below 10 Hz, finer than this radio keeps frequencies";
    const std::string gaps = "2>1 146.52000 3>2 146.94000 5>5 156.80000 6>9 162.55000 7>16 147.00000";
    const PlaceCase cases[] = {
        // A 0-based list of 40 from a bigger radio: by Location lines 1-15 may go where they
        // say; in order the first 16 lines this radio can take fill channels 1-16, the rest are
        // skipped with reasons.
        {"handheld_0based.csv",
         {},
         "3>1 146.94000 5>3 156.80000 6>4 162.55000 7>5 147.55500 10>8 147.00000 "
         "12>10 160.21500 13>11 145.23000 14>12 154.28000 16>14 151.82000 17>15 151.88000",
         {"line 2: skipped: column Location: \"0\" is not a channel of this radio (1 to 16)"},
         "line 2, column Location: \"0\" is not a channel of this radio (1 to 16)"},
        {"handheld_0based.csv",
         {Placement::InOrder, 1, {}},
         "2>1 146.52000 3>2 146.94000 5>3 156.80000 6>4 162.55000 7>5 147.55500 10>6 147.00000 "
         "12>7 160.21500 13>8 145.23000 14>9 154.28000 16>10 151.82000 17>11 151.88000 "
         "19>12 146.61000 20>13 148.15000 21>14 162.40000 25>15 147.33000 26>16 146.55000",
         {"line 4: skipped: column Frequency: 118.30000 is outside the band 136 - 174MHz",
          "line 8: skipped: column Mode: \"DV\" is not a mode this radio has: give FM (wide) or "
          "NFM (narrow)",
          "line 9: skipped: column Frequency: 446.00000 is outside the band 136 - 174MHz"},
         "line 4, column Frequency"},
        // From channel 14, ticking out line 5: three channels, then none is left.
        {"handheld_0based.csv",
         {Placement::InOrder, 14, {5}},
         "2>14 146.52000 3>15 146.94000 6>16 162.55000",
         {"line 4: skipped: column Frequency: 118.30000 is outside the band 136 - 174MHz",
          "line 7: skipped: no channel left after channel 16"},
         "line 4, column Frequency"},
        // A 1-based list with gaps, a BOM, CR-only line ends and a header in other letter case;
        // the same as UTF-16; a ticked-out line leaves its channel alone.
        {"gaps_1based_cr.csv", {}, gaps, {}, ""},
        {"gaps_1based_utf16.csv", {}, gaps, {}, ""},
        {"gaps_1based_cr.csv",
         {Placement::ByLocation, 1, {3, 7}},
         "2>1 146.52000 5>5 156.80000 6>9 162.55000",
         {},
         ""},
        // ';' between fields; digits below 10 Hz refused, trailing zeros not.
        {"semicolon.csv",
         {Placement::InOrder, 3, {}},
         "2>3 146.52000 6>4 146.94000",
         {"line 3: skipped: column Frequency: \"146.5200049\" " + below10Hz,
          "line 4: skipped: column Offset: \"0.6000099\" " + below10Hz,
          "line 5: skipped: column Offset: \"0.0000049\" " + below10Hz},
         "line 3, column Frequency"},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.file + " from " + std::to_string(c.choice.start));
        const RadioImage image = RadioImage::makeNew();
        const std::string text = dataFile(c.file);
        const ImportPlan plan = planImport(text, image, c.choice);
        ASSERT_EQ(plan.refused, std::vector<Message>{});
        EXPECT_EQ(placedText(plan, image), c.placed);
        std::vector<std::string> skipped;
        for (const Message& m : skippedLines(plan))
            skipped.push_back(messageText(m));
        skipped.resize(std::min(skipped.size(), c.skipped.size()));
        EXPECT_EQ(skipped, c.skipped);
        const std::vector<Message> refusals = refusalMessages(plan);
        EXPECT_EQ(refusals.empty() ? "" : messageText(refusals[0]).substr(0, c.refused.size()),
                  c.refused);
        EXPECT_EQ(plan.locationsFit, c.file != "handheld_0based.csv");
    }
    // A broken line (too few fields) does not make a numbered table go in order.
    EXPECT_TRUE(planImport("CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n"
                           "1,146.52,,,,,,,\n2,146.52\n",
                           RadioImage::makeNew(), {})
                    .locationsFit);
    // A header of neither format names both.
    const ImportPlan neither = planImport("Freq,Name\n146.52,A\n", RadioImage::makeNew(), {});
    ASSERT_EQ(neither.refused.size(), 1u);
    EXPECT_NE(messageText(neither.refused[0]).find("or of a memory CSV (Location,"),
              std::string::npos);
}

} // namespace
} // namespace orvo
