// What the report says and where: texts from an image, the "W/N: " bandwidth, and the layout in
// twips (y upward) with its whole-number arithmetic.
#include "report/report_layout.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(ReportMetrics, WholeNumbersInTheirOrder)
{
    // 8399 / 42 = 199, * 1440 / 720 = 398 (not 399); 6001 px at 700 dpi = 12344 twips,
    // (12344 - 900) / 60 = 190; the centre halves the pixels first: 3000 * 1440 / 700 = 6171.
    const ReportMetrics m = reportMetrics(6001, 8399, 700, 720);
    EXPECT_EQ(m.bodyHeight, 398);
    EXPECT_EQ(m.columnUnit, 190);
    EXPECT_EQ(m.pageCentre, 6171);
    EXPECT_EQ(reportMetrics(100, 4200, 720, 720).columnUnit, -11); // -11.67 toward zero
    EXPECT_EQ(titleFontSize(m).height, 557);                        // 557.2
    EXPECT_EQ(titleFontSize(m).averageWidth, 266);                  // 266.0
}

TEST(ReportLayout, SettingsHeadingAndChannelLines)
{
    ReportData d;
    d.type = "ZT-4";
    d.field = "400 - 470MHz";
    d.txTotalTime = "60s";
    d.squelchLevel = "4";
    d.moni = "Monitor  Momentary"; // Beep left without a selection
    d.channels[0] = {"462.56250", "462.56250", "67.0", "D023N", "No", "Wide", "Add", "High"};
    d.channels[1] = {"", "446.00625", "", "Off", "Yes", "Wide", "Delete", "Low"};

    // H 400, W 200, X0 6000; odd pitches show every halving and truncation: a gap of 1.2 pitches
    // from -916 is -1464.4, truncated toward zero to -1464.
    const std::vector<ReportText> t = layoutReport(d, {400, 200, 6000}, 611, 457);
    ASSERT_EQ(t.size(), 11u + 16u * 6u);
    const std::vector<std::tuple<int, int, std::string>> head = {
        {3200, -305, "The Radio Settings"},
        {1000, -916, "Function Setting:"},
        {400, -1464, "Type:   ZT-4"},
        {400, -1921, "Frequency Field:400 - 470MHz"},
        {400, -2378, "Tx Total Time: 60s"},
        {6200, -2378, "Warning Setting: "},
        {400, -2835, "Squelch Level: 4"},
        {6200, -2835, "W/N: Wide"},
        {400, -3292, "Moni: Monitor  Momentary"},
        {1000, -3749, "Channel Setting:"},
        {200, -4297, "CH    Rx(MHz)  Tx(MHz)     Rx Tone  Tx Tone     Busy"}};
    for (std::size_t i = 0; i < head.size(); ++i)
        EXPECT_EQ(std::make_tuple(t[i].x, t[i].y, t[i].text), head[i]) << i;
    EXPECT_EQ(t[0].font, ReportFont::Title);
    EXPECT_EQ(t[1].font, ReportFont::Body);

    // Six texts per row at W, 6W, 18W, 32W, 42W, 52W, one pitch apart; each cell text is followed
    // by a blank, so an empty cell prints as that blank alone.
    const int xs[6] = {200, 1200, 3600, 6400, 8400, 10400};
    const std::vector<std::string> rows[3] = {{"1", "462.56250 ", "462.56250 ", "67.0 ", "D023N ", "No "},
                                              {"2", " ", "446.00625 ", " ", "Off ", "Yes "},
                                              {"16", " ", " ", " ", " ", " "}};
    for (int row = 1; row <= 16; ++row) {
        for (std::size_t c = 0; c < 6; ++c) {
            const ReportText& text = t[11 + static_cast<std::size_t>(row - 1) * 6 + c];
            EXPECT_EQ(text.x, xs[c]);
            EXPECT_EQ(text.y, -4297 - row * 457);
            if (row <= 2 || row == 16) {
                EXPECT_EQ(text.text, rows[row == 16 ? 2 : row - 1][c]) << row << "/" << c;
            }
        }
    }
}

TEST(CommonBandwidth, AgreeingDifferingOrNoProgrammedChannels)
{
    ReportData d;
    d.channels[4] = {"", "", "", "", "", "Narrow", "", ""}; // no frequency: does not count
    EXPECT_EQ(commonBandwidth(d), "");
    d.channels[0] = {"446.00625", "", "Off", "Off", "No", "Wide", "Add", "High"};
    d.channels[15] = {"", "462.56250", "Off", "Off", "No", "Wide", "Add", "High"};
    EXPECT_EQ(commonBandwidth(d), "Wide");
    d.channels[0][5] = d.channels[15][5] = "Narrow";
    EXPECT_EQ(commonBandwidth(d), "Narrow");
    d.channels[15][5] = "Wide";
    EXPECT_EQ(commonBandwidth(d), "Mixed");
}

TEST(ReportDataFromImage, ShowsTheImageAsTheFormWouldAfterOpeningIt)
{
    RadioImage image = RadioImage::makeNew();
    encodeChannel({"462.56250", "467.56250", "67.0", "D023N", "No", "Narrow", "Add", "Low"}, image, 3);
    image[0x3D2] = 0xF7;
    image[0x3C0] = 0xF6; // Beep bit clear
    image[0x3C2] = 1;
    image[0x3C3] = 10;
    ReportData d = reportDataFromImage(image);
    EXPECT_EQ(d.channels[2], decodeChannel(image, 3));
    EXPECT_EQ(d.channels[2][0], "462.56250");
    EXPECT_EQ(std::vector<std::string>({d.type, d.field, d.beep, d.squelchLevel, d.moni, d.txTotalTime}),
              std::vector<std::string>({"ZT-4", "430 - 500MHz", "Disable", "9", "Monitor  Momentary", "300s"}));
    EXPECT_EQ(d.headers[0] + d.headers[3] + d.headers[5], "CHRx ToneBusy");

    // Another model's image leaves Type and Field as a fresh form shows them.
    image.bytes.fill(0xFF);
    d = reportDataFromImage(image);
    EXPECT_EQ(d.type, "ZT-4");
    EXPECT_EQ(d.field, "400 - 470MHz");
    EXPECT_EQ(commonBandwidth(d), "");
}

} // namespace
} // namespace orvo
