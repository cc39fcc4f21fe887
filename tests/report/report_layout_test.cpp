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

// A translated heading's cells stand apart. Widths as measured in WenQuanYi Micro Hei at the
// report's stretch, rounded up: a Chinese character 2.21 column units, a Latin letter, digit or
// bracket at most 1.22.
TEST(ReportLayout, TranslatedHeadingCellsEndBeforeTheNextBegins)
{
    const ReportMetrics m = reportMetrics(4799, 6299, 600, 599);
    ReportData data = reportDataFromImage(RadioImage::makeNew());
    data.labels.headingCells = {"信道",     "接收(MHz)", "发射(MHz)",
                                "接收亚音", "发射亚音",  "遇忙禁发"};
    const std::vector<ReportText> texts = layoutReport(data, m, 561, 417);
    const ReportText* heading = &texts.at(10); // after the title and nine settings texts
    for (std::size_t c = 0; c < 6; ++c) {
        double end = heading[c].x;
        for (unsigned char byte : heading[c].text) // UTF-8: a lead byte from 0xE0 starts a CJK one
            end += (byte & 0xC0) == 0x80 ? 0 : (byte >= 0xE0 ? 2.25 : 1.25) * m.columnUnit;
        // Half a unit apart at least; the last within the line's 60 units and its margin.
        EXPECT_LE(end, c < 5 ? heading[c + 1].x - m.columnUnit / 2.0 : 62.0 * m.columnUnit)
            << heading[c].text;
    }
}

} // namespace
} // namespace orvo
