// Paste of channel rows without any window: the good rows taken, the refused cells listed.
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
    };
    const std::vector<Case> cases{
        {"446.1\t446.1\tOff\tOff\tNo\tWide\tAdd\tHigh\n12\t\t\t\t\t\t\t\n"
         "440\t440\tnope\tOff\tmaybe\tWide\tAdd\tHigh\n",
         1,
         {{4, 1}, {5, 3}, {5, 5}}},
        {"162.5\t\t\t\t\t\t\t\n\t\t\t\tYes\t\t\t\n", 0, {{3, 1}, {4, 5}}},
        {"1,446.1,,,,,,,\n", 1, {}}, // CSV
    };
    for (const Case& c : cases) {
        const orvo::PastedRows pasted =
            orvo::pasteChannelRows(c.text, 3, orvo::bandLimitsForField(k400to470));
        EXPECT_EQ(pasted.rows.size(), c.rows) << c.text;
        std::vector<std::pair<int, int>> refused;
        for (const orvo::RefusedCell& cell : pasted.refused)
            refused.emplace_back(cell.channel, cell.column);
        EXPECT_EQ(refused, c.refused) << c.text;
    }
}
