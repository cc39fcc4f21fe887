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
        const char* firstRow = nullptr; // the texts of the first row taken, comma-separated
        int first = 3;
        std::pair<int, int> unfit{}; // the rows of the text that found no channel
    };
    const std::vector<Case> cases{
        {"446.1\t446.1\tOff\tOff\tNo\tWide\tAdd\tHigh\n12\t\t\t\t\t\t\t\n"
         "440\t440\tnope\tOff\tmaybe\tWide\tAdd\tHigh\n",
         1,
         {{4, 1}, {5, 3}, {5, 5}}},
        {"162.5\t\t\t\t\t\t\t\n\t\t\t\tYes\t\t\t\n", 0, {{3, 1}, {4, 5}}},
        // A pasted row is a copy: a listen-only channel stays listen-only, empty tones stay
        // empty, a listed tone's plain number takes its entry; only empty flags take defaults.
        {"1,446.1,,,,,,,\n", 1, {}, "446.10000,,,,No,Wide,Add,High"}, // CSV
        {"CH\tReceive(MHz)\tTransmit(MHz)\tRx Tone\tTx Tone\tBusy\tW/N\tScan\tPower\r\n"
         "5\t446.10000\t\t\t\tYes\tNarrow\tDelete\tLow\r\n",
         1,
         {},
         "446.10000,,,,Yes,Narrow,Delete,Low",
         11},
        {"446.1\t446.2\t\t067.00\t\t\t\t\n", 1, {}, "446.10000,446.20000,,67.0,No,Wide,Add,High"},
        // A header line as people write it, without CH or in the window's Chinese, takes no
        // channel; a row of words that names no column is a row.
        {"Receive \tTRANSMIT\tRx Tone\tTx Tone\tBusy\tW/N\tScan\tPower\n446.1\t\t\t\t\t\t\t\n", 1, {},
         "446.10000,,,,No,Wide,Add,High"},
        {"\xE4\xBF\xA1\xE9\x81\x93\t\xE6\x8E\xA5\xE6\x94\xB6\n1\t446.1\t\t\t\t\t\t\t\n", 1, {}},
        {"Rx\tTx\t\t\t\t\t\t\n", 0, {{3, 1}, {3, 2}}},
        // Four rows onto channel 15: two fit.
        {"446.1\t\t\t\t\t\t\t\nx\t\t\t\t\t\t\t\n446.3\t\t\t\t\t\t\t\n446.4\t\t\t\t\t\t\t\n",
         1,
         {{16, 1}},
         nullptr,
         15,
         {3, 4}},
    };
    for (const Case& c : cases) {
        const orvo::PastedRows pasted =
            orvo::pasteChannelRows(c.text, c.first, orvo::bandLimitsForField(k400to470),
                                   {"\xE4\xBF\xA1\xE9\x81\x93", "\xE6\x8E\xA5\xE6\x94\xB6(MHz)"});
        EXPECT_EQ(pasted.rows.size(), c.rows) << c.text;
        std::vector<std::pair<int, int>> refused;
        for (const orvo::RefusedCell& cell : pasted.refused)
            refused.emplace_back(cell.channel, cell.column);
        EXPECT_EQ(refused, c.refused) << c.text;
        EXPECT_EQ(std::make_pair(pasted.firstUnfitRow, pasted.lastUnfitRow), c.unfit) << c.text;
        if (c.firstRow && !pasted.rows.empty()) {
            std::string texts = pasted.rows.front().second[0];
            for (std::size_t i = 1; i < 8; ++i)
                texts += "," + pasted.rows.front().second[i];
            EXPECT_EQ(texts, c.firstRow) << c.text;
        }
    }
}
