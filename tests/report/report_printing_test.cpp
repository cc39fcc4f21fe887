// File Print and Print Preview of the report: the dialogs are answered through the hook set before
// each call; what reaches the printer is read back from a PDF.
#include "pdf_text.h"

#include "report/report_printing.h"

#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace orvo;

class ReportPrintingTest : public QObject
{
    Q_OBJECT

    static ReportData data()
    {
        ReportData d;
        d.field = "136 - 174MHz";
        d.squelchLevel = "9";
        d.channels[0] = {"145.00000", "145.60000", "Off", "Off", "No", "Wide", "Add", "High"};
        return d;
    }

private slots:
    void cleanup() { setReportDialogHook({}); }

    void printOffersOnePageAndPrintsOnlyWhenAccepted()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        QString offered;
        setReportDialogHook([&](QDialog& dialog) {
            if (auto* print = qobject_cast<QPrintDialog*>(&dialog))
                offered = QString("pages %1-%2, range %3")
                              .arg(print->minPage())
                              .arg(print->maxPage())
                              .arg(print->testOption(QAbstractPrintDialog::PrintPageRange));
            return false;
        });
        QVERIFY(!printReport(nullptr, data(), printer));
        QCOMPARE(offered, QString("pages 1-1, range 0"));
        QVERIFY(!QFile::exists(printer.outputFileName()));

        setReportDialogHook([](QDialog&) { return true; });
        QVERIFY(printReport(nullptr, data(), printer));
        QCOMPARE(test::pdfPageCount(printer.outputFileName()), 1);
        const test::PdfPage page = test::readPdfPage(printer.outputFileName());
        QVERIFY(page.line("The Radio Settings"));
        QVERIFY(page.line("Squelch Level: 9 W/N: Wide"));
        QVERIFY(page.line("1 145.00000 145.60000 Off Off No"));
        printer.setOutputFileName(dir.filePath("no/such/folder.pdf")); // nothing to draw on
        QVERIFY(!printReport(nullptr, data(), printer));
    }

    void previewShowsExactlyOnePage()
    {
        QPrinter printer(QPrinter::HighResolution);
        int pages = -1;
        setReportDialogHook([&](QDialog& dialog) {
            if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
                widget->updatePreview();
                pages = widget->pageCount();
            }
            return false;
        });
        previewReport(nullptr, data(), printer);
        QCOMPARE(pages, 1);
    }
};

QTEST_MAIN(ReportPrintingTest)
#include "report_printing_test.moc"
