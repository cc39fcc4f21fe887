// Paste of channel rows without any window: the good rows taken, the refused cells and the rows
// past channel 16 listed.
#include "core/editing/channel_rows.h"

#include <gtest/gtest.h>

namespace {

constexpr int k400to470 = 2; // Field entry "400 - 470MHz"

} // namespace

TEST(Document, PasteTakesGoodRowsAndListsRefusedCells)
{
    struct Case
    {
        const char* text;
        std::size_t rows;
        std::vector<std::pair<int, int>> refused; // channel, column
        int first = 3;
        std::pair<int, int> unfit{}; // the rows of the text that found no channel
    };
    const std::vector<Case> cases{
        {"446.1\t446.1\tOff\tOff\tNo\tWide\tAdd\tHigh\n12\t\t\t\t\t\t\t\n"
         "440\t440\tnope\tOff\tmaybe\tWide\tAdd\tHigh\n",
         1,
         {{4, 1}, {5, 3}, {5, 5}}},
        {"162.5\t\t\t\t\t\t\t\n\t\t\t\tYes\t\t\t\n", 0, {{3, 1}, {4, 5}}},
        {"1,446.1,,,,,,,\n", 1, {}}, // CSV
        // Four rows onto channel 15: two fit.
        {"446.1\t\t\t\t\t\t\t\nx\t\t\t\t\t\t\t\n446.3\t\t\t\t\t\t\t\n446.4\t\t\t\t\t\t\t\n",
         1,
         {{16, 1}},
         15,
         {3, 4}},
    };
    for (const Case& c : cases) {
        const orvo::PastedRows pasted =
            orvo::pasteChannelRows(c.text, c.first, orvo::bandLimitsForField(k400to470));
        EXPECT_EQ(pasted.rows.size(), c.rows) << c.text;
        std::vector<std::pair<int, int>> refused;
        for (const orvo::RefusedCell& cell : pasted.refused)
            refused.emplace_back(cell.channel, cell.column);
        EXPECT_EQ(refused, c.refused) << c.text;
        EXPECT_EQ(std::make_pair(pasted.firstUnfitRow, pasted.lastUnfitRow), c.unfit) << c.text;
    }
}
