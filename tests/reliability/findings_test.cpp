// Faults the fuzz targets found, kept as ordinary tests so that they stay mended. (What the monkey
// found on the form is a row of the editor's commit table in tests/image.)
#include "channel_csv.h"

#include "editor/frequency_check.h"
#include "image/channel_codec.h"
#include "image/radio_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace orvo {
namespace {

// A typed frequency with more than five decimals was checked truncated but shown rounded, so
// "174.000005" passed the band check as 174.00000 and then showed, and stored, 174.00001: above
// the band's edge; "100.000005" passed the raster check and stored the off-raster 100.00001.
// Every raster point of every band, with further decimals that the check drops (less than 0.95
// of the last unit) and rounding would carry, with and without the band, committed either way:
// the text must stay the checked point.
TEST(FuzzFindings, LongFractionsNeverLeaveTheBandOrTheRaster)
{
    int checked = 0;
    for (int field = 0; field < 4; ++field) {
        const auto band = bandLimitsForField(field);
        ASSERT_TRUE(band);
        for (std::uint32_t u = band->lowest; u <= band->highest; u += 125) {
            if (u % 625 != 0 && u % 500 != 0)
                continue;
            for (const char* tail : {"5", "9", "94"}) {
                char typed[40];
                std::snprintf(typed, sizeof typed, "%u.%05u%s", u / 100000, u % 100000, tail);
                for (auto variant : {CommitVariant::LeaveCell, CommitVariant::Enter}) {
                    for (const auto& limits : {band, std::optional<BandLimits>()}) {
                        const FrequencyCheck c = checkFrequency(typed, limits, variant);
                        ASSERT_TRUE(c.accepted()) << typed;
                        ASSERT_EQ(c.units, u) << typed;
                        ASSERT_EQ(frequencyUnits(c.text), u) << typed << " shows " << c.text;
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 40000);
}

// The import runs the same check, so a table could put the same out-of-band frequency into a file.
TEST(FuzzFindings, AnImportedLongFractionStaysInTheBand)
{
    RadioImage image = RadioImage::makeNew(); // 136 - 174 MHz
    const std::string csv = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n"
                            "1,174.000005,,,,,,,\n";
    ASSERT_TRUE(cli::importChannelCsv(csv, image).empty());
    const ChannelTexts row = decodeChannel(image, 1);
    EXPECT_EQ(row[kColReceive - 1], "174.00000");
    EXPECT_EQ(row[kColTransmit - 1], "174.00000");
}

} // namespace
} // namespace orvo
