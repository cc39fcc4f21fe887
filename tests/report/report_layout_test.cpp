// Where the report's texts go, in twips, against the page's arithmetic worked by hand: a printable
// area of 4799 by 6299 pixels at 600 by 599 pixels per inch, a title pitch of 561 and a body pitch
// of 417 twips. H = (6299 / 42) * 1440 / 599 = 358, W = (4799 * 1440 / 600 - 900) / 60 = 176,
// X0 = (4799 / 2) * 1440 / 600 = 5757; a gap is 1.2 body pitches, truncated toward zero.
#include "core/report/report_layout.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(ReportLayout, TextsStandWhereThePagesArithmeticPutsThem)
{
    const ReportMetrics m = reportMetrics(4799, 6299, 600, 599);
    EXPECT_EQ(m.bodyHeight, 358);
    EXPECT_EQ(m.columnUnit, 176);
    EXPECT_EQ(m.pageCentre, 5757);
    EXPECT_EQ(titleFontSize(m).height, 501);
    EXPECT_EQ(titleFontSize(m).averageWidth, 246);

    // The title, the settings' first lines and the table's: the columns are the PDF's test.
    const std::vector<ReportText> texts =
        layoutReport(reportDataFromImage(RadioImage::makeNew()), m, 561, 417);
    const std::pair<int, int> at[] = {
        {3293, -280}, // the title: X0 - 14 W, half the title pitch down
        {880, -841},  // "Function Setting:" a title pitch lower
        {352, -1341}, // "Type:" a gap lower: 1.2 * 417 = 500.4
        {352, -1758}, // "Frequency Field:"
        {176, -3926}, // the table heading, a gap below "Channel Setting:" at -3426
        {176, -4343}, // channel 1
    };
    for (std::size_t i = 0; i < std::size(at); ++i) {
        const ReportText& t = texts[i < 4 ? i : i + 6];
        EXPECT_EQ(std::pair(t.x, t.y), at[i]) << t.text;
    }
}

} // namespace
} // namespace orvo
