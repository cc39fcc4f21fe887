// The frequency page: the Enter check that holds a typed frequency to the band and rounds it to the
// side's step, and the two tone lists.
#include "testmode/debug_frequency.h"

#include "image/tone_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo {
namespace {

constexpr DebugStep k5 = DebugStep::Khz5;
constexpr DebugStep k625 = DebugStep::Khz6_25;

TEST(DebugFrequencies, ShowWithFiveDecimalsInAFieldOfEight)
{
    EXPECT_EQ(formatDebugFrequency(136.0), "136.00000");
    EXPECT_EQ(formatDebugFrequency(450.0), "450.00000");
    EXPECT_EQ(formatDebugFrequency(140.00625), "140.00625");
    EXPECT_EQ(formatDebugFrequency(0.0), " 0.00000");
}

TEST(ConfirmedFrequency, IsHeldBetweenTheBandEdgeAndTwentyMegahertzAboveIt)
{
    EXPECT_EQ(confirmDebugFrequency("200", 136, k5), "156.00000");
    EXPECT_EQ(confirmDebugFrequency("156.00001", 136, k625), "156.00000");
    EXPECT_EQ(confirmDebugFrequency("100", 136, k5), "136.00000");
    EXPECT_EQ(confirmDebugFrequency("135.99999", 136, k625), "136.00000");
    EXPECT_EQ(confirmDebugFrequency("500", 430, k5), "450.00000");
    EXPECT_EQ(confirmDebugFrequency("429", 430, k625), "430.00000");
    // Texts without a number, negative numbers and numbers no integer holds are pulled to a
    // limit like any other.
    EXPECT_EQ(confirmDebugFrequency("abc", 136, k5), "136.00000");
    EXPECT_EQ(confirmDebugFrequency("", 350, k625), "350.00000");
    EXPECT_EQ(confirmDebugFrequency("-146", 136, k5), "136.00000");
    EXPECT_EQ(confirmDebugFrequency("1e300", 136, k5), "156.00000");
    EXPECT_EQ(confirmDebugFrequency("-1e300", 136, k5), "136.00000");
    // Leading blanks are skipped and trailing text is ignored, whatever the process locale.
    EXPECT_EQ(confirmDebugFrequency("  146.5MHz", 136, k5), "146.50000");
}

TEST(ConfirmedFrequency, RoundsToTheRasterWithHalfAStepRoundingDown)
{
    // Every remainder of one step: up to half a step (250 or 312 units) down, from there up.
    for (DebugStep step : {k5, k625}) {
        const std::int64_t raster = step == k5 ? 500 : 625;
        for (std::int64_t r = 0; r < raster; ++r) {
            const std::int64_t base = 14000000;
            const std::string text = formatDebugFrequency(static_cast<double>(base + r) / 100000.0);
            EXPECT_EQ(confirmDebugFrequencyUnits(text, 136, step),
                      r <= raster / 2 ? base : base + raster)
                << text;
        }
    }
    EXPECT_EQ(confirmDebugFrequency("140.00251", 136, k5), "140.00500");
    EXPECT_EQ(confirmDebugFrequency("140.00312", 136, k625), "140.00000");
}

TEST(ConfirmedFrequency, NeverLeavesTheBandAndAlwaysLiesOnTheRaster)
{
    for (double base : {136.0, 350.0, 400.0, 430.0}) {
        const auto lower = static_cast<std::int64_t>(base) * 100000;
        const std::int64_t upper = lower + 2000000;
        for (DebugStep step : {k5, k625}) {
            const std::int64_t raster = step == k5 ? 500 : 625;
            // Every 10 Hz within two steps of either limit.
            for (std::int64_t edge : {lower, upper}) {
                for (std::int64_t units = edge - 1250; units <= edge + 1250; ++units) {
                    const std::string text =
                        formatDebugFrequency(static_cast<double>(units) / 100000.0);
                    const std::int64_t got = confirmDebugFrequencyUnits(text, base, step);
                    ASSERT_GE(got, lower) << text;
                    ASSERT_LE(got, upper) << text;
                    ASSERT_EQ(got % raster, 0) << text;
                }
            }
        }
    }
}

TEST(DebugToneLists, QtOffersOffToTwoHundredSixPointFiveAndDqtTheRest)
{
    const auto& tones = toneTable();
    const ToneRange qt = debugToneList(false);
    EXPECT_EQ(qt.first, 0);
    EXPECT_EQ(qt.count, 43);
    EXPECT_EQ(tones[qt.first], "Off");
    EXPECT_EQ(tones[qt.first + qt.count - 1], "206.5");

    const ToneRange dqt = debugToneList(true);
    EXPECT_EQ(dqt.first, qt.first + qt.count);
    EXPECT_EQ(dqt.count, 168);
    EXPECT_EQ(tones[dqt.first], "210.7");
    EXPECT_EQ(tones[dqt.first + 7], "254.1");
    EXPECT_EQ(tones[dqt.first + 8], "D023N");
    EXPECT_EQ(tones[kFirstDcsInvertedTone - 1], "D754N");
    EXPECT_EQ(tones[dqt.first + dqt.count - 1], "D325I");
}

} // namespace
} // namespace orvo
