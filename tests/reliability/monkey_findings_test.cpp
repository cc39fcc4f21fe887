// Faults the monkey test found on the form, kept as ordinary tests of the commit rules so that
// they stay mended.
#include "editor/frequency_check.h"
#include "image/channel_codec.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

// A row whose frequencies were emptied keeps a tone (only the frequency's own tone goes with
// it), and a flag editor left on that row while it had no frequency empties its cell. A frequency
// typed into the row then found a tone in place, so the defaults of a new channel passed it by:
// the channel showed an empty W/N cell and stored it as "Narrow", which it showed after the next
// open. Every empty flag of a channel now takes its default.
TEST(MonkeyFindings, AChannelShowsAWordInEveryFlag)
{
    const auto vhf = bandLimitsForField(0); // 136 - 174 MHz
    for (auto variant : {CommitVariant::LeaveCell, CommitVariant::Enter}) {
        for (int column : {kColReceive, kColTransmit}) {
            ChannelTexts row{"", "", "67.0", "", "No", "", "Add", ""};
            commitEditorText(row, column, "146.52", vhf, variant);
            ChannelTexts expected{"", "", "67.0", "", "No", "Wide", "Add", "High"};
            expected[static_cast<std::size_t>(column - 1)] = "146.52000";
            EXPECT_EQ(row, expected) << "column " << column;
        }
    }

    // The path through the editor: a channel with only a transmit frequency gets a receive tone,
    // loses its frequency, and the W/N editor is left on it.
    ChannelTexts row{"", "", "", "", "", "", "", ""};
    commitEditorText(row, kColTransmit, "146.52", vhf, CommitVariant::Enter);
    commitEditorText(row, kColRxTone, "67.0", vhf, CommitVariant::Enter);
    commitEditorText(row, kColTransmit, "", vhf, CommitVariant::LeaveCell);
    EXPECT_EQ(row, (ChannelTexts{"", "", "67.0", "", "No", "Wide", "Add", "High"}));
    commitEditorText(row, kColWidth, "Narrow", vhf, CommitVariant::LeaveCell);
    EXPECT_EQ(row[kColWidth - 1], "");
    commitEditorText(row, kColReceive, "151.825", vhf, CommitVariant::LeaveCell);
    EXPECT_EQ(row, (ChannelTexts{"151.82500", "", "67.0", "", "No", "Wide", "Add", "High"}));
}

// What a channel's flags were stays: only empty ones are filled, and a new channel still gets
// every default with its transmit frequency following the receive one.
TEST(MonkeyFindings, FilledFlagsAndNewChannelsAreAsBefore)
{
    const auto uhf = bandLimitsForField(2); // 400 - 470 MHz
    ChannelTexts row{"", "", "D023N", "", "Yes", "Narrow", "Delete", "Low"};
    commitEditorText(row, kColReceive, "446.00625", uhf, CommitVariant::Enter);
    EXPECT_EQ(row, (ChannelTexts{"446.00625", "", "D023N", "", "Yes", "Narrow", "Delete", "Low"}));

    ChannelTexts fresh{};
    commitEditorText(fresh, kColReceive, "446.1", uhf, CommitVariant::LeaveCell);
    EXPECT_EQ(fresh,
              (ChannelTexts{"446.10000", "446.10000", "Off", "Off", "No", "Wide", "Add", "High"}));
}

} // namespace
} // namespace orvo
