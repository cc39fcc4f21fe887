// The report on paper as orvo-cli draws it, with no display and no platform chosen, as on a
// server: read back as words with positions, compared with each other and with the page's
// arithmetic; and the page's measures on a printer whose dots are not square. Its usage and file
// errors are orvo-cli's rows (tests/cli).
#include "pdf_text.h"
#include "sim_process.h"

#include "core/image/channel_codec.h"
#include "core/report/report_data.h"
#include "core/report/report_layout.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::PdfLine;
using test::PdfPage;

PdfPage draw(const RadioImage& image, const QStringList& options)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.sin");
    EXPECT_TRUE(writeFileBytes(in, toBytes(image)));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(ORVO_CLI, QStringList{"report", in, dir.filePath("out.pdf")} + options);
    EXPECT_TRUE(cli.waitForFinished(120000) && cli.exitCode() == 0);
    EXPECT_EQ(test::pdfPageCount(dir.filePath("out.pdf")), 1);
    return test::readPdfPage(dir.filePath("out.pdf"));
}

// Each text is a whole line of the page, in this order from the top.
void expectLines(const PdfPage& page, std::initializer_list<const char*> texts)
{
    double above = -1;
    for (const char* text : texts) {
        const PdfLine* line = page.line(text);
        ASSERT_TRUE(line) << text;
        EXPECT_EQ(line->texts().join(' '), QString::fromLatin1(text)); // nothing else on the line
        EXPECT_GT(line->top(), above) << text;
        above = line->top();
    }
}

// A file's settings and channels as the form shows them after opening it, labelled, in columns,
// on A4 unless told; another model's file with its band byte's Field, as show reads it.
TEST(ReportPdf, OnePageOfLabelledSettingsAndChannelColumns)
{
    RadioImage image = RadioImage::makeNew();
    encodeChannel({"462.56250", "462.56250", "67.0", "D023N", "No", "Wide", "Add", "High"}, image,
                  1);
    encodeChannel({"", "446.00625", "", "", "Yes", "Narrow", "Delete", "Low"}, image, 2);
    encodeChannel({"440.00000", "445.00000", "254.1", "D754I", "No", "Wide", "Add", "High"}, image,
                  16);
    image[0x3D2] = 0xF7;
    image[0x3C0] = 0xF6; // Beep bit clear
    image[0x3C2] = 1;
    image[0x3C3] = 10;
    const PdfPage page = draw(image, {});
    EXPECT_NEAR(page.width, 595.3, 0.5);
    // Empty channels have no bandwidth of their own.
    expectLines(page,
                {"The Radio Settings", "Function Setting:", "Type: ZT-4",
                 "Frequency Field:430 - 500MHz", "Tx Total Time: 300s Warning Setting: Disable",
                 "Squelch Level: 9 W/N: Mixed", "Moni: Monitor Momentary", "Channel Setting:",
                 "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy", "1 462.56250 462.56250 67.0 D023N No",
                 "2 446.00625 Yes", "3", "15", "16 440.00000 445.00000 254.1 D754I No"});
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    // An empty receive frequency keeps the columns.
    const PdfLine& first = *page.line("1 462.56250");
    EXPECT_NEAR(page.line("2 446.00625")->words[1].xMin, first.words[2].xMin, 0.5);

    // Where the page's arithmetic puts them. A4 less two margins of 6.35 mm (18 pt) is 11185
    // twips wide, so the column unit W is (11185 - 900) / 60 = 171 twips (8.55 pt) and the title
    // starts 14 W left of the middle, 11185 / 2 twips. Lines lie a body pitch P apart, 1.2 P
    // after the two headings; the title's pitch is the space above its line and twice the space
    // between the printable area's top and the title.
    const double w = 8.55, left = 18.0;
    const std::pair<const char*, double> columns[] = {
        {"The Radio Settings", 11185 / 2 / 20.0 - 14 * w},
        {"Function Setting:", 5 * w},
        {"Type: ZT-4", 2 * w},
        {"Tx Total Time: 300s Warning Setting: Disable", 2 * w},
        {"CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy", w},
    };
    for (const auto& [text, x] : columns)
        EXPECT_NEAR(page.line(text)->words[0].xMin, left + x, 0.3) << text;
    EXPECT_NEAR(page.line("Tx Total Time:")->words[4].xMin, left + 31 * w, 0.3);
    const double cells[] = {1, 6, 18, 32, 42, 52};
    for (std::size_t c = 0; c < 6; ++c)
        EXPECT_NEAR(first.words[c].xMin, left + cells[c] * w, 0.3) << c;
    auto top = [&page](const char* text) { return page.line(text)->top(); };
    const double p = (top("16 440.00000") - top("1 462.56250")) / 15;
    EXPECT_NEAR(top("Type: ZT-4") - top("Function Setting:"), 1.2 * p, 0.1);
    EXPECT_NEAR(top("Moni:") - top("Type: ZT-4"), 4 * p, 0.1);
    EXPECT_NEAR(top("CH Rx(MHz)") - top("Channel Setting:"), 1.2 * p, 0.1);
    EXPECT_NEAR(top("1 462.56250") - top("CH Rx(MHz)"), p, 0.1);
    const double titlePitch = top("Function Setting:") - top("The Radio Settings");
    EXPECT_NEAR(titlePitch / p, 1.4, 0.05);
    EXPECT_NEAR(top("The Radio Settings") - left, titlePitch / 2, 1.0);

    image.bytes.fill(0xFF);
    image[0x3D2] = 0xF7;
    const PdfPage other = draw(image, {"--page", "letter"});
    EXPECT_NEAR(other.height, 792.0, 0.5);
    expectLines(other, {"Type: ZT-4", "Frequency Field:430 - 500MHz", "Squelch Level: 0 W/N:"});
}

// A printable area of 4799 by 6299 dots at 600 by 599 dots per inch, worked by hand: the body
// height H = (6299 / 42) * 1440 / 599 = 358 twips, the column unit W = (4799 * 1440 / 600 - 900)
// / 60 = 176, the page's middle X0 = (4799 / 2) * 1440 / 600 = 5757; the title font is 501 twips
// high and 246 wide on average.
TEST(ReportPdf, APrinterWithDotsThatAreNotSquareGetsThePagesMeasures)
{
    const ReportMetrics m = reportMetrics(4799, 6299, 600, 599);
    const ReportFontSize title = titleFontSize(m);
    EXPECT_EQ(std::vector({m.bodyHeight, m.columnUnit, m.pageCentre, title.height,
                           title.averageWidth}),
              std::vector({358, 176, 5757, 501, 246}));
}

// A translated heading's cells stand apart. Widths as measured in WenQuanYi Micro Hei at the
// report's stretch, rounded up: a Chinese character 2.21 column units, a Latin letter, digit or
// bracket at most 1.22.
TEST(ReportPdf, TranslatedHeadingCellsEndBeforeTheNextBegins)
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
