// The report on paper as orvo-cli draws it, with no display and no platform chosen, as on a
// server: read back as words with positions, compared with each other, never with fixed pixel
// values. Its usage and file errors are orvo-cli's rows (tests/cli).
#include "pdf_text.h"

#include "core/image/channel_codec.h"

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
    QFile in(dir.filePath("in.sin"));
    EXPECT_TRUE(in.open(QIODevice::WriteOnly));
    in.write(reinterpret_cast<const char*>(image.bytes.data()), kImageSize);
    in.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(ORVO_CLI, QStringList{"report", in.fileName(), dir.filePath("out.pdf")} + options);
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
// on A4 unless told; another model's file with the form's first Type and Field.
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
    // Every row's cells stand in the same columns, an empty receive frequency included.
    const PdfLine& first = *page.line("1 462.56250");
    for (std::size_t c = 0; c < 6; ++c)
        EXPECT_NEAR(page.line("16 440.00000")->words[c].xMin, first.words[c].xMin, 0.5) << c;
    EXPECT_NEAR(page.line("2 446.00625")->words[1].xMin, first.words[2].xMin, 0.5);

    image.bytes.fill(0xFF);
    const PdfPage other = draw(image, {"--page", "letter"});
    EXPECT_NEAR(other.height, 792.0, 0.5);
    expectLines(other, {"Type: ZT-4", "Frequency Field:400 - 470MHz", "Squelch Level: 0 W/N:"});
}

} // namespace
} // namespace orvo
