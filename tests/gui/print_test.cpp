// File Print through the window: the page printed for a file edited by keyboard is, word for
// word and place for place, the page orvo-cli report draws for the saved file, on the paper
// chosen in Print Setup before a restart; a declined print dialog prints nothing, Print Preview
// shows the page, and a printer that cannot start says so. The report's dialogs are answered
// through its hook; what reaches the printer goes to a PDF file, read back as words with positions.
#include "gui_test_support.h"
#include "pdf_text.h"
#include "reliability_support.h"

#include "render/report_pdf.h"
#include "widgets/report_printing.h"

#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>

#include <cmath>

class PrintTest : public GuiTest
{
    Q_OBJECT

    std::optional<orvo::RadioImage> startImage() const override
    {
        return reliability::radioMemory();
    }

private slots:
    void thePrintedPageIsOrvoClisPage()
    {
        const QString file = path("start.sin");
        const double m = orvo::kReportPdfMarginMm;
        const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                 QMarginsF(m, m, m, m), QPageLayout::Millimeter);
        int previewPages = 0;
        bool accept = true;
        const QString printedPdf = path("app.pdf"), cliPdf = path("cli.pdf");
        QString pdf = printedPdf;
        orvo::setReportDialogHook([&](QDialog& dialog) {
            if (auto* setup = qobject_cast<QPageSetupDialog*>(&dialog))
                setup->printer()->setPageLayout(letter);
            auto* print = qobject_cast<QPrintDialog*>(&dialog);
            if (print && print->printer()->pageLayout().pageSize().id() == QPageSize::Letter) {
                print->printer()->setOutputFormat(QPrinter::PdfFormat);
                print->printer()->setOutputFileName(pdf);
                print->printer()->setPageMargins(letter.margins(), QPageLayout::Millimeter);
            }
            if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
                preview->updatePreview();
                previewPages = preview->pageCount();
            }
            return accept;
        });
        clickMenu("menuFile", "ID_FILE_PRINT_SETUP");
        app.reset(); // the paper chosen stays for the next start
        app = startApp({file});
        chooseListEntry(settingList("cmbSquelchLevel"), 9);
        typeOnCell(1, 1, QStringLiteral("431"));
        press(Qt::Key_Return);
        clickMenu("menuFile", "ID_FILE_PRINT_PREVIEW");
        QCOMPARE(previewPages, 1);
        accept = false; // a declined print dialog prints nothing
        ctrl(Qt::Key_P);
        QVERIFY(!QFile::exists(printedPdf));
        accept = true;
        ctrl(Qt::Key_P);
        {
            DialogAnswers answers; // a file that cannot be made: the printer will not start
            pdf = path("missing/app.pdf");
            ctrl(Qt::Key_P);
            QCOMPARE(answers.texts(), QStringList{QStringLiteral("Failed to start print job.")});
        }
        orvo::setReportDialogHook({});
        ctrl(Qt::Key_S);

        QCOMPARE(QProcess::execute(ORVO_CLI_PATH, {"report", file, cliPdf, "--page", "Letter"}), 0);
        QCOMPARE(orvo::test::pdfPageCount(printedPdf), 1);
        const auto printed = orvo::test::readPdfPage(printedPdf);
        const auto expected = orvo::test::readPdfPage(cliPdf);
        QCOMPARE(QSizeF(printed.width, printed.height), QSizeF(expected.width, expected.height));
        QVERIFY(expected.line(QStringLiteral("1 431.00000 446.00625 67.0 D023N No")));
        QCOMPARE(printed.words.size(), expected.words.size());
        for (std::size_t i = 0; i < expected.words.size(); ++i) {
            const auto& a = printed.words[i];
            const auto& b = expected.words[i];
            QCOMPARE(a.text, b.text);
            QVERIFY2(std::fabs(a.xMin - b.xMin) < 0.5 && std::fabs(a.yMin - b.yMin) < 0.5,
                     qPrintable(b.text));
        }
    }
};

ORVO_GUI_TEST_MAIN(PrintTest)
#include "print_test.moc"
