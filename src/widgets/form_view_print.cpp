// Print, Print Preview and Print Setup of the settings report. The report shows the form as it
// stands, edits not yet saved included: the document, which the form shows.
#include "widgets/form_view.h"

#include "document/document.h"
#include "document/settings.h"
#include "widgets/message_box.h"
#include "widgets/report_printing.h"

#include <QComboBox>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A printer with the set-up of `from`: its printer or PDF output, paper, margins and options.
QPrinter* copyOfPrinter(const QPrinter& from)
{
    auto* to = new QPrinter(QPrinter::HighResolution);
    to->setOutputFormat(from.outputFormat());
    if (from.outputFormat() == QPrinter::NativeFormat)
        to->setPrinterName(from.printerName());
    to->setOutputFileName(from.outputFileName());
    to->setPageLayout(from.pageLayout());
    to->setFullPage(from.fullPage());
    to->setCopyCount(from.copyCount());
    to->setCollateCopies(from.collateCopies());
    to->setColorMode(from.colorMode());
    to->setDuplex(from.duplex());
    to->setPageOrder(from.pageOrder());
    to->setPaperSource(from.paperSource());
    return to;
}

} // namespace

void FormView::PrinterDeleter::operator()(QPrinter* printer) const
{
    delete printer;
}

QPrinter& FormView::GetPrinter()
{
    if (!m_pPrinter) {
        m_pPrinter.reset(new QPrinter(QPrinter::HighResolution));
        // What File > Print Setup chose in an earlier session: the printer, where it still
        // exists, and the paper and orientation; the printer's own margins stay.
        const Settings settings;
        if (settings.hasPrintSetup()) {
            const QString name = settings.printerName();
            if (!name.isEmpty() && !QPrinterInfo::printerInfo(name).isNull())
                m_pPrinter->setPrinterName(name);
            const QPageLayout layout = settings.pageLayout();
            m_pPrinter->setPageSize(layout.pageSize());
            m_pPrinter->setPageOrientation(layout.orientation());
        }
    }
    return *m_pPrinter;
}

orvo::ReportData FormView::GetReportData() const
{
    using orvo::SettingBox;
    auto selected = [this](SettingBox box) {
        return m_pDocument->selectionText(box).toStdString();
    };
    orvo::ReportData data;
    data.type = selected(SettingBox::Type);
    data.field = selected(SettingBox::Field);
    data.txTotalTime = selected(SettingBox::TxTotalTime);
    data.beep = selected(SettingBox::Beep);
    data.squelchLevel = selected(SettingBox::SquelchLevel);
    data.moni = selected(SettingBox::Moni);

    for (int col = 0; col < orvo::kReportGridColumns; ++col)
        data.headers[static_cast<std::size_t>(col)] =
            orvo::channelColumnHeaders()[static_cast<std::size_t>(col)];
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel)
        data.channels[static_cast<std::size_t>(channel - 1)] = m_pDocument->channelTexts(channel);
    return data;
}

void FormView::OnFilePrint()
{
    CommitPendingEdit();
    QPrinter& printer = GetPrinter();
    if (orvo::printReport(window(), GetReportData(), printer))
        return;
    // Cancelled, or accepted and the printer (or the chosen file) could not be opened.
    if (printer.printerState() != QPrinter::Error)
        return;
    // A printer keeps its error state; the session goes on with a fresh one of the same set-up,
    // so that a later cancel is not taken for another failure.
    m_pPrinter.reset(copyOfPrinter(printer));
    AppMessageBox(window(), QStringLiteral("Failed to start print job."));
}

void FormView::OnFilePrintPreview()
{
    CommitPendingEdit();
    orvo::previewReport(window(), GetReportData(), GetPrinter());
}

void FormView::OnFilePrintSetup()
{
    QPrinter& printer = GetPrinter();
    if (orvo::pageSetup(window(), printer))
        Settings().setPrintSetup(printer.printerName(), printer.pageLayout());
}
