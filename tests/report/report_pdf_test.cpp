// The report on paper: rendered to PDF offscreen (by the library and by orvo-cli) and read back
// as words with positions, compared with each other, never with fixed pixel values.
#include "pdf_text.h"

#include "image/channel_codec.h"
#include "report/report_pdf.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::PdfLine;
using test::PdfPage;

// Programmed channels all Wide; a row without a frequency has no bandwidth of its own.
ReportData sampleData()
{
    ReportData d = reportDataFromImage(RadioImage::makeNew());
    d.channels[0] = {"462.56250", "462.56250", "67.0", "D023N", "No", "Wide", "Add", "High"};
    d.channels[1] = {"", "446.00625", "", "Off", "Yes", "Wide", "Delete", "Low"};
    d.channels[4] = {"", "", "", "", "", "Narrow", "", ""};
    d.channels[15] = {"440.00000", "445.00000", "254.1", "D754I", "No", "Wide", "Add", "High"};
    return d;
}

// Column unit W in points: the busy text (52 W) less the channel number (W), over 51.
double columnUnit(const PdfPage& page)
{
    const PdfLine* first = page.line("1 462.56250");
    return first ? (first->words.back().xMin - first->words.front().xMin) / 51.0 : 0.0;
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

TEST(ReportPdf, OnePageOfLabelledSettingsAndChannelColumns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.pdf");
    ASSERT_TRUE(writeReportPdf(path.toStdString(), sampleData(), ReportPage::A4).ok);
    EXPECT_EQ(test::pdfPageCount(path), 1);
    const PdfPage page = test::readPdfPage(path);
    expectLines(page,
                {"The Radio Settings", "Function Setting:", "Type: ZT-4",
                 "Frequency Field:136 - 174MHz", "Tx Total Time: 180s Warning Setting: Enable",
                 "Squelch Level: 9 W/N: Wide", "Moni: SQ-Off Momentary", "Channel Setting:",
                 "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy", "1 462.56250 462.56250 67.0 D023N No",
                 "2 446.00625 Off Yes", "3", "15", "16 440.00000 445.00000 254.1 D754I No"});
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    const auto& title = page.line("The Radio Settings")->words.front();
    const auto& body = page.line("Function Setting:")->words.front();
    EXPECT_GT(title.yMax - title.yMin, 1.3 * (body.yMax - body.yMin));

    // Columns at W, 6W, 18W, 32W, 42W, 52W; settings at 2W and 31W, block titles at 5W.
    const double w = columnUnit(page);
    const PdfLine& first = *page.line("1 462.56250");
    const double x1 = first.words[0].xMin;
    const int units[6] = {1, 6, 18, 32, 42, 52};
    for (std::size_t c = 0; c < 6; ++c) {
        EXPECT_NEAR(first.words[c].xMin - x1, (units[c] - 1) * w, 0.5) << c;
        EXPECT_NEAR(page.line("16 440.00000")->words[c].xMin, first.words[c].xMin, 0.5) << c;
    }
    EXPECT_NEAR(page.line("2 446.00625")->words[1].xMin, first.words[2].xMin, 0.5);
    EXPECT_NEAR(page.line("Tx Total")->words[0].xMin - x1, 1 * w, 0.5);
    EXPECT_NEAR(page.line("Tx Total")->words[4].xMin - x1, 30 * w, 0.5);
    EXPECT_NEAR(page.line("Squelch Level:")->words[3].xMin - x1, 30 * w, 0.5);
    EXPECT_NEAR(page.line("Function Setting:")->words[0].xMin - x1, 4 * w, 0.5);
    // The body font's average width is W: the 51 characters of the heading take about 51 W.
    const PdfLine& heading = *page.line("CH Rx(MHz)");
    EXPECT_NEAR((heading.words.back().xMax - heading.words.front().xMin) / 51.0, w, 0.2 * w);
}

// orvo-cli with no display and no platform chosen, as on a server, draws a file as the form
// shows it after opening it: another model's file with the form's first Type and Field, and no
// common bandwidth without a programmed channel. A4 unless told.
TEST(ReportCli, DrawsAFileAsTheFormShowsIt)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    QTemporaryDir dir;
    const auto draw = [&](const RadioImage& image, const QStringList& options) {
        QFile in(dir.filePath("in.sin"));
        EXPECT_TRUE(in.open(QIODevice::WriteOnly));
        in.write(reinterpret_cast<const char*>(image.bytes.data()), kImageSize);
        in.close();
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(ORVO_CLI, QStringList{"report", in.fileName(), dir.filePath("out.pdf")} + options);
        EXPECT_TRUE(p.waitForFinished(120000) && p.exitCode() == 0);
        return test::readPdfPage(dir.filePath("out.pdf"));
    };
    RadioImage image = RadioImage::makeNew();
    encodeChannel({"462.56250", "467.56250", "67.0", "D023N", "No", "Narrow", "Add", "Low"}, image,
                  3);
    encodeChannel({"462.6", "462.6", "", "", "No", "Wide", "Add", "High"}, image, 4);
    image[0x3D2] = 0xF7;
    image[0x3C0] = 0xF6; // Beep bit clear
    image[0x3C2] = 1;
    image[0x3C3] = 10;
    PdfPage page = draw(image, {});
    EXPECT_NEAR(page.width, 595.3, 0.5);
    expectLines(page,
                {"Frequency Field:430 - 500MHz", "Tx Total Time: 300s Warning Setting: Disable",
                 "Squelch Level: 9 W/N: Mixed", "Moni: Monitor Momentary",
                 "3 462.56250 467.56250 67.0 D023N No"});
    image.bytes.fill(0xFF);
    page = draw(image, {"--page", "letter"});
    EXPECT_NEAR(page.height, 792.0, 0.5);
    expectLines(page, {"Type: ZT-4", "Frequency Field:400 - 470MHz", "Squelch Level: 0 W/N:"});
}

} // namespace
} // namespace orvo

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
