// File Print, Print Preview and Print Setup through the main window: the report holds what the form
// shows (edits not yet saved included), is one page, and is the very page orvo-cli report draws for
// the same file. The report's dialogs are answered through its hook, set before each command; what
// reaches the printer goes to a PDF file and is read back as words with positions.
#include "gui_test_support.h"
#include "pdf_text.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "image/channel_codec.h"
#include "image/settings_codec.h"
#include "report/report_data.h"
#include "report/report_pdf.h"
#include "report/report_printing.h"

#include <QApplication>
#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>

#include <cmath>
#include <functional>

namespace {

using orvo::SettingBox;
using orvo::test::PdfPage;

// A ZT-4 file with three narrow channels and settings other than a new image's.
orvo::RadioImage sampleImage()
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    for (int ch = 1; ch <= orvo::kChannelCount; ++ch)
        orvo::encodeChannel(orvo::ChannelTexts{}, image, ch);
    orvo::encodeChannel({"440.00000", "445.00000", "67.0", "D023N", "No", "Narrow", "Add", "High"},
                        image, 1);
    orvo::encodeChannel({"433.02500", "", "", "", "Yes", "Narrow", "Delete", "Low"}, image, 2);
    orvo::encodeChannel({"", "469.98750", "254.1", "D754I", "No", "Narrow", "Add", "Low"}, image,
                        16);
    orvo::SettingSelections selections = orvo::initialSelections();
    auto select = [&selections](SettingBox box, int index) {
        selections[static_cast<std::size_t>(box)] = index;
    };
    select(SettingBox::Field, 3);        // 430 - 500MHz
    select(SettingBox::TxTotalTime, 3);  // 90s
    select(SettingBox::Beep, 1);         // Disable
    select(SettingBox::SquelchLevel, 7); // 7
    select(SettingBox::Moni, 2);         // Monitor Lock
    orvo::encodeSettings(selections, image);
    return image;
}

// Where two reports differ, by name, for a failure message that says what.
QStringList differences(const orvo::ReportData& a, const orvo::ReportData& b)
{
    QStringList out;
    auto check = [&out](const QString& name, const std::string& x, const std::string& y) {
        if (x != y)
            out << QStringLiteral("%1: '%2' vs '%3'")
                       .arg(name, QString::fromStdString(x), QString::fromStdString(y));
    };
    check("type", a.type, b.type);
    check("field", a.field, b.field);
    check("txTotalTime", a.txTotalTime, b.txTotalTime);
    check("beep", a.beep, b.beep);
    check("squelchLevel", a.squelchLevel, b.squelchLevel);
    check("moni", a.moni, b.moni);
    for (std::size_t c = 0; c < a.headers.size(); ++c)
        check(QStringLiteral("header %1").arg(c), a.headers[c], b.headers[c]);
    for (std::size_t r = 0; r < a.channels.size(); ++r)
        for (std::size_t c = 0; c < a.channels[r].size(); ++c)
            check(QStringLiteral("cell %1,%2").arg(r + 1).arg(c + 1), a.channels[r][c],
                  b.channels[r][c]);
    return out;
}

// Answers the report's dialogs while it lives: each dialog goes to `answer`, whose result counts
// as the user's accept or cancel. Records the dialogs' classes and the printer each one set up.
struct ReportDialogs
{
    explicit ReportDialogs(std::function<bool(QDialog&)> answer)
    {
        orvo::setReportDialogHook([this, answer](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            if (auto* print = qobject_cast<QPrintDialog*>(&dialog))
                printers << print->printer();
            else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog))
                printers << preview->printer();
            else if (auto* setup = qobject_cast<QPageSetupDialog*>(&dialog))
                printers << setup->printer();
            return answer(dialog);
        });
    }
    ~ReportDialogs() { orvo::setReportDialogHook({}); }
    ReportDialogs(const ReportDialogs&) = delete;
    ReportDialogs& operator=(const ReportDialogs&) = delete;

    QStringList shown;
    QList<QPrinter*> printers;
};

// Answer to the print dialog: print to a PDF file at `path`.
std::function<bool(QDialog&)> printToPdf(const QString& path)
{
    return [path](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (!print)
            return false;
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(path);
        return true;
    };
}

// The page layout orvo-cli report uses for `size`.
QPageLayout cliLayout(QPageSize::PageSizeId size)
{
    const double m = orvo::kReportPdfMarginMm;
    return QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(m, m, m, m),
                       QPageLayout::Millimeter);
}

void pressCtrl(Qt::Key key)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : mainFrame();
    QTest::keyClick(target, key, Qt::ControlModifier);
}

// The report's lines for the sample file as it opens, top to bottom, label and value together.
const QStringList& sampleLines()
{
    static const QStringList lines{
        "The Radio Settings",
        "Function Setting:",
        "Type: ZT-4",
        "Frequency Field:430 - 500MHz",
        "Tx Total Time: 90s Warning Setting: Disable",
        "Squelch Level: 7 W/N: Narrow",
        "Moni: Monitor Lock",
        "Channel Setting:",
        "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy",
        "1 440.00000 445.00000 67.0 D023N No",
        "2 433.02500 Yes",
        "3",
        "16 469.98750 254.1 D754I No",
    };
    return lines;
}

// Each of `lines` is a whole line of `page`, in this order from the top.
void verifyLines(const PdfPage& page, const QStringList& lines)
{
    double above = -1;
    for (const QString& text : lines) {
        const orvo::test::PdfLine* line = page.line(text);
        QVERIFY2(line, qPrintable(text));
        QCOMPARE(line->texts().join(' '), text);
        QVERIFY2(line->top() > above, qPrintable(text));
        above = line->top();
    }
}

} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const char* name) const { return dir->filePath(QLatin1String(name)); }

    // Starts the application on a file holding `image`.
    void startOn(const orvo::RadioImage& image)
    {
        saveWithCore(path("sample.sin"), image);
        app = startApplication({path("sample.sin")});
        QVERIFY(ternView());
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init() { dir = std::make_unique<QTemporaryDir>(); }

    void cleanup()
    {
        orvo::setReportDialogHook({});
        if (app && app->GetDocument())
            app->GetDocument()->SetModifiedFlag(false);
        app.reset();
        dir.reset();
    }

    // What the view hands the report for a file it has just opened is what orvo-cli report
    // decodes from the same file.
    void viewReportsTheFileAsOrvoCliDoes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ZT-4 file") << toBytes(sampleImage());
        orvo::RadioImage other = sampleImage();
        other[0x3D6] = 0x00; // another model: Type and Field keep a fresh form's selections
        QTest::newRow("file of another model") << toBytes(other);
        QTest::newRow("new image") << toBytes(orvo::RadioImage::makeNew());
    }
    void viewReportsTheFileAsOrvoCliDoes()
    {
        QFETCH(QByteArray, bytes);
        startOn(fromBytes(bytes));
        const QStringList diff =
            differences(ternView()->GetReportData(), orvo::reportDataFromImage(fromBytes(bytes)));
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join('\n')));
    }

    // Edits not yet saved are reported as the form shows them.
    void reportFollowsTheForm()
    {
        startOn(sampleImage());
        CTernView* view = ternView();

        chooseListEntry(view->settingBox(orvo::SettingBox::SquelchLevel), 9);
        app->GetDocument()->commitCell(2, orvo::kColReceive, QStringLiteral("434"),
                                       orvo::CommitVariant::LeaveCell);
        view->settingBox(orvo::SettingBox::Moni)->setCurrentIndex(-1);

        const orvo::ReportData data = view->GetReportData();
        QCOMPARE(data.squelchLevel, std::string("9"));
        QCOMPARE(data.channels[1][orvo::kColReceive - 1], std::string("434.00000"));
        QCOMPARE(data.moni, std::string()); // a list without a selection prints nothing
        QCOMPARE(data.field, std::string("430 - 500MHz"));
    }

    // File > Print Preview shows one page drawing the form's texts.
    void previewShowsOnePageOfTheForm()
    {
        startOn(sampleImage());
        int pages = -1;
        const QString pdfPath = path("preview.pdf");
        ReportDialogs dialogs([&](QDialog& dialog) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
            auto* widget = preview ? preview->findChild<QPrintPreviewWidget*>() : nullptr;
            if (!widget)
                return false;
            widget->updatePreview();
            pages = widget->pageCount();
            // The drawing the preview shows, sent to a PDF instead of the screen.
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(pdfPath);
            pdf.setPageLayout(preview->printer()->pageLayout());
            Q_EMIT preview->paintRequested(&pdf);
            return false;
        });
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT_PREVIEW);
        QCOMPARE(dialogs.shown, QStringList{QStringLiteral("QPrintPreviewDialog")});
        QCOMPARE(pages, 1);
        QCOMPARE(orvo::test::pdfPageCount(pdfPath), 1);
        verifyLines(orvo::test::readPdfPage(pdfPath), sampleLines());
    }

    // Print from the menu, Ctrl+P and the toolbar: one page offered, nothing printed on cancel,
    // the form's texts on the page when accepted.
    void printFromMenuShortcutAndToolbar()
    {
        startOn(sampleImage());
        {
            ReportDialogs dialogs(printToPdf(path("menu.pdf")));
            clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT);
            QCOMPARE(dialogs.shown, QStringList{QStringLiteral("QPrintDialog")});
        }
        QCOMPARE(orvo::test::pdfPageCount(path("menu.pdf")), 1);
        verifyLines(orvo::test::readPdfPage(path("menu.pdf")), sampleLines());

        {
            int minPage = -1, maxPage = -1;
            ReportDialogs dialogs([&](QDialog& dialog) {
                auto* print = qobject_cast<QPrintDialog*>(&dialog);
                if (print) {
                    minPage = print->minPage();
                    maxPage = print->maxPage();
                    print->printer()->setOutputFileName(path("cancelled.pdf"));
                }
                return false;
            });
            pressCtrl(Qt::Key_P);
            QCOMPARE(dialogs.shown, QStringList{QStringLiteral("QPrintDialog")});
            QCOMPARE(minPage, 1);
            QCOMPARE(maxPage, 1);
        }
        QVERIFY(!QFile::exists(path("cancelled.pdf")));

        // An edit not yet saved reaches the paper.
        app->GetDocument()->commitCell(3, orvo::kColReceive, QStringLiteral("431"),
                                       orvo::CommitVariant::LeaveCell);
        {
            ReportDialogs dialogs(printToPdf(path("toolbar.pdf")));
            clickToolButton(CMainFrame::ID_FILE_PRINT);
            QCOMPARE(dialogs.shown, QStringList{QStringLiteral("QPrintDialog")});
        }
        QCOMPARE(orvo::test::pdfPageCount(path("toolbar.pdf")), 1);
        QVERIFY(orvo::test::readPdfPage(path("toolbar.pdf")).line(QStringLiteral("3 431.00000")));
    }

    // A print that cannot start (the chosen file cannot be written) says so instead of
    // passing for done, and leaves the paper chosen in Print Setup in place.
    void failedPrintIsReported()
    {
        startOn(sampleImage());
        DialogAnswers answers;
        {
            ReportDialogs dialogs([](QDialog& dialog) {
                auto* setup = qobject_cast<QPageSetupDialog*>(&dialog);
                if (setup)
                    setup->printer()->setPageLayout(cliLayout(QPageSize::Letter));
                return setup != nullptr;
            });
            clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT_SETUP);
        }
        {
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
            ReportDialogs dialogs(printToPdf(path("missing/folder/out.pdf")));
            clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT);
        }
        QCOMPARE(answers.boxes.size(), 1);
        QCOMPARE(answers.boxes[0].text, QStringLiteral("Failed to start print job."));
        QCOMPARE(answers.boxes[0].caption, QStringLiteral("Orvo Programming Software"));

        // Cancelling the next print is no failure; printing then works again.
        {
            ReportDialogs dialogs([](QDialog&) { return false; });
            pressCtrl(Qt::Key_P);
            QCOMPARE(dialogs.shown.size(), 1);
        }
        QCOMPARE(answers.boxes.size(), 1);
        {
            ReportDialogs dialogs(printToPdf(path("again.pdf")));
            pressCtrl(Qt::Key_P);
        }
        QCOMPARE(answers.boxes.size(), 1);
        QCOMPARE(orvo::test::pdfPageCount(path("again.pdf")), 1);
        QCOMPARE(orvo::test::readPdfPage(path("again.pdf")).width, 612.0); // Letter, in points
    }

    // The paper chosen in Print Setup holds for Print and Preview, and what Print puts on that
    // paper is word for word, place for place, the page orvo-cli report writes for the file.
    void printSetupHoldsAndThePageIsOrvoClisPage()
    {
        startOn(sampleImage());
        ReportDialogs dialogs([this](QDialog& dialog) {
            if (auto* setup = qobject_cast<QPageSetupDialog*>(&dialog)) {
                setup->printer()->setPageLayout(cliLayout(QPageSize::Letter));
                return true;
            }
            if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
                if (print->printer()->pageLayout().pageSize().id() != QPageSize::Letter)
                    return false;
                return printToPdf(path("app.pdf"))(dialog);
            }
            return false;
        });
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT_SETUP);
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT);
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_PRINT_PREVIEW);
        QCOMPARE(dialogs.shown,
                 (QStringList{"QPageSetupDialog", "QPrintDialog", "QPrintPreviewDialog"}));
        QCOMPARE(dialogs.printers.size(), 3);
        QCOMPARE(dialogs.printers[1], dialogs.printers[0]);
        QCOMPARE(dialogs.printers[2], dialogs.printers[0]);
        QCOMPARE(dialogs.printers[2]->pageLayout().pageSize().id(), QPageSize::Letter);

        QProcess cli;
        cli.start(QStringLiteral(ORVO_CLI), {QStringLiteral("report"), path("sample.sin"),
                                             path("cli.pdf"), "--page", "Letter"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);

        const PdfPage printed = orvo::test::readPdfPage(path("app.pdf"));
        const PdfPage expected = orvo::test::readPdfPage(path("cli.pdf"));
        QCOMPARE(orvo::test::pdfPageCount(path("app.pdf")), 1);
        QCOMPARE(printed.width, expected.width);
        QCOMPARE(printed.height, expected.height);
        QCOMPARE(printed.words.size(), expected.words.size());
        QVERIFY(!expected.words.empty());
        for (std::size_t i = 0; i < expected.words.size(); ++i) {
            const orvo::test::PdfWord& a = printed.words[i];
            const orvo::test::PdfWord& b = expected.words[i];
            QCOMPARE(a.text, b.text);
            QVERIFY2(std::fabs(a.xMin - b.xMin) < 0.5 && std::fabs(a.yMin - b.yMin) < 0.5,
                     qPrintable(b.text));
        }
    }
};

ORVO_GUI_TEST_MAIN(PrintTest)
#include "print_test.moc"
