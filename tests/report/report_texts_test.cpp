// What the report says: texts from an image and the "W/N: " bandwidth. Where it says them is
// report_pdf_test's, read back from the page.
#include "report/report_layout.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

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
