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

ReportData sampleData()
{
    ReportData d = reportDataFromImage(RadioImage::makeNew());
    d.channels[0] = {"462.56250", "462.56250", "67.0", "D023N", "No", "Wide", "Add", "High"};
    d.channels[1] = {"", "446.00625", "", "Off", "Yes", "Narrow", "Delete", "Low"};
    d.channels[15] = {"440.00000", "445.00000", "254.1", "D754I", "No", "Wide", "Add", "High"};
    return d;
}

// Column unit W in points: the busy text (52 W) less the channel number (W), over 51.
double columnUnit(const PdfPage& page)
{
    const PdfLine* first = page.line("1 462.56250");
    return first ? (first->words.back().xMin - first->words.front().xMin) / 51.0 : 0.0;
}

TEST(ReportPdf, OnePageOfLabelledSettingsAndChannelColumns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.pdf");
    ASSERT_TRUE(writeReportPdf(path.toStdString(), sampleData(), ReportPage::A4).ok);
    EXPECT_EQ(test::pdfPageCount(path), 1);
    const PdfPage page = test::readPdfPage(path);

    // Every line in order, top to bottom, label and value together.
    const char* lines[] = {"The Radio Settings", "Function Setting:", "Type: ZT-4",
                           "Frequency Field:136 - 174MHz", "Tx Total Time: 180s Warning Setting: Enable",
                           "Squelch Level: 9 W/N: Mixed", "Moni: SQ-Off Momentary", "Channel Setting:",
                           "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy", "1 462.56250 462.56250 67.0 D023N No",
                           "2 446.00625 Off Yes", "3", "15", "16 440.00000 445.00000 254.1 D754I No"};
    double above = -1;
    for (const char* text : lines) {
        const PdfLine* line = page.line(text);
        ASSERT_TRUE(line) << text;
        EXPECT_EQ(line->texts().join(' '), QString::fromLatin1(text)); // nothing else on the line
        EXPECT_GT(line->top(), above) << text;
        above = line->top();
    }
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

// orvo-cli with no display and no platform chosen, as on a server.
int cli(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(ORVO_CLI, QStringList{"report"} + args);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(ReportCli, DrawsAFileAsTheFormShowsItAndKeepsTheOldPdfOnFailure)
{
    QTemporaryDir dir;
    RadioImage image = RadioImage::makeNew();
    encodeChannel({"462.56250", "467.56250", "67.0", "D023N", "No", "Narrow", "Add", "Low"}, image, 1);
    image[0x3D2] = 0xF7;
    QFile in(dir.filePath("radio.sin"));
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write(reinterpret_cast<const char*>(image.bytes.data()), 1024);
    in.close();
    const QString out = dir.filePath("report.pdf");

    ASSERT_EQ(cli({in.fileName(), out}), 0);
    PdfPage page = test::readPdfPage(out);
    EXPECT_NEAR(page.width, 595.3, 0.5); // A4 unless told
    EXPECT_TRUE(page.line("Frequency Field:430 - 500MHz"));
    EXPECT_TRUE(page.line("Squelch Level: 9 W/N: Narrow"));
    EXPECT_TRUE(page.line("1 462.56250 467.56250 67.0 D023N No"));
    ASSERT_EQ(cli({"--page", "letter", in.fileName(), out}), 0);
    page = test::readPdfPage(out);
    EXPECT_NEAR(page.height, 792.0, 0.5);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"radio.sin", "report.pdf"}));

    // Bad usage: status 2. Unreadable input or unwritable output: status 1. Either way the
    // previous PDF stays as it was.
    QFile shortFile(dir.filePath("short.sin"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1023, '\xFF'));
    shortFile.close();
    const QByteArray before = [&] { QFile f(out); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_EQ(cli({in.fileName()}), 2);
    EXPECT_EQ(cli({in.fileName(), out, "--page", "Legal"}), 2);
    EXPECT_EQ(cli({in.fileName(), out, "extra"}), 2);
    EXPECT_EQ(cli({shortFile.fileName(), out}), 1);
    EXPECT_EQ(cli({dir.filePath("missing.sin"), out}), 1);
    EXPECT_EQ(cli({in.fileName(), dir.filePath("no/folder/r.pdf")}), 1);
    QFile after(out);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
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
