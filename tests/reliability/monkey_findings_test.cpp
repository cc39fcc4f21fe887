// Faults the monkey found on the form, one row each: the commits a user made, in order, and the
// row the table must show after them.
#include "editor/frequency_check.h"
#include "image/channel_codec.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

struct Commit
{
    int column;
    const char* text;
    CommitVariant variant;
};

TEST(MonkeyFindings, EveryChannelShowsAWordInEachFlag)
{
    const auto vhf = bandLimitsForField(0); // 136 - 174 MHz
    constexpr auto enter = CommitVariant::Enter;
    constexpr auto leave = CommitVariant::LeaveCell;
    const struct
    {
        std::vector<Commit> commits;
        ChannelTexts expected;
    } findings[] = {
        // A channel with only a transmit frequency got a receive tone and lost its frequency;
        // the W/N editor left on that row emptied its cell, and a frequency typed then passed
        // the new channel's defaults by: W/N showed empty and was stored as "Narrow".
        {{{kColTransmit, "146.52", enter},
          {kColRxTone, "67.0", enter},
          {kColTransmit, "", leave},
          {kColWidth, "Narrow", leave},
          {kColReceive, "151.825", leave}},
         {"151.82500", "", "67.0", "", "No", "Wide", "Add", "High"}},
    };
    for (const auto& finding : findings) {
        ChannelTexts row{};
        for (const Commit& commit : finding.commits)
            commitEditorText(row, commit.column, commit.text, vhf, commit.variant);
        EXPECT_EQ(row, finding.expected);
    }
}

} // namespace
} // namespace orvo
