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

    ReportData data = reportDataFromImage(RadioImage::makeNew());
    data.channels[15][0] = "446.00625";
    const std::vector<ReportText> texts = layoutReport(data, m, 561, 417);
    const struct
    {
        const char* start;
        int x, y;
    } lines[] = {
        {"The Radio Settings", 3293, -280}, // X0 - 14 W, half the title pitch down
        {"Function Setting:", 880, -841},
        {"Type:   ", 352, -1341}, // a gap: 1.2 * 417 = 500.4
        {"Frequency Field:", 352, -1758},
        {"Tx Total Time: ", 352, -2175},
        {"Warning Setting: ", 5456, -2175},
        {"Squelch Level: ", 352, -2592},
        {"W/N: ", 5456, -2592},
        {"Moni: ", 352, -3009},
        {"Channel Setting:", 880, -3426},
        {"CH    Rx(MHz)  Tx(MHz)     Rx Tone  Tx Tone     Busy", 176, -3926},
        {"1", 176, -4343}, // then columns 6, 18, 32, 42 and 52 W
        {" ", 1056, -4343},
        {" ", 3168, -4343},
        {" ", 5632, -4343},
        {" ", 7392, -4343},
        {" ", 9152, -4343},
    };
    ASSERT_EQ(texts.size(), 11u + 16 * 6);
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        SCOPED_TRACE(lines[i].start);
        EXPECT_TRUE(texts[i].text.starts_with(lines[i].start)) << texts[i].text;
        EXPECT_EQ(texts[i].x, lines[i].x);
        EXPECT_EQ(texts[i].y, lines[i].y);
        EXPECT_EQ(texts[i].font, i == 0 ? ReportFont::Title : ReportFont::Body);
    }
    const ReportText& last = texts[11 + 15 * 6 + 1];
    EXPECT_EQ(last.text, "446.00625 ");
    EXPECT_EQ(last.y, -4343 - 15 * 417);
}

} // namespace
} // namespace orvo
