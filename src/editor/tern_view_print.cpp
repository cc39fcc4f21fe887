// Print, Print Preview and Print Setup of the settings report. The report shows the form as it
// stands, edits not yet saved included: its texts come from the setting lists and the grid, never
// from the document's image.
#include "editor/tern_view.h"

#include "app/message_box.h"
#include "grid/ms_flex_grid.h"
#include "report/report_printing.h"

#include <QComboBox>
#include <QPrinter>

namespace {

// The list text of the box's selected entry; empty when nothing is selected.
std::string selectedText(const QComboBox* box)
{
    const int index = box->currentIndex();
    return index < 0 ? std::string() : box->itemText(index).toStdString();
}

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

void CTernView::PrinterDeleter::operator()(QPrinter* printer) const
{
    delete printer;
}

QPrinter& CTernView::GetPrinter()
{
    if (!m_pPrinter)
        m_pPrinter.reset(new QPrinter(QPrinter::HighResolution));
    return *m_pPrinter;
}

orvo::ReportData CTernView::GetReportData() const
{
    using orvo::SettingBox;
    orvo::ReportData data;
    data.type = selectedText(settingBox(SettingBox::Type));
    data.field = selectedText(settingBox(SettingBox::Field));
    data.txTotalTime = selectedText(settingBox(SettingBox::TxTotalTime));
    data.beep = selectedText(settingBox(SettingBox::Beep));
    data.squelchLevel = selectedText(settingBox(SettingBox::SquelchLevel));
    data.moni = selectedText(settingBox(SettingBox::Moni));

    for (int col = 0; col < orvo::kReportGridColumns; ++col)
        data.headers[static_cast<std::size_t>(col)] = m_grid->GetTextMatrix(0, col).toStdString();
    for (int row = 1; row <= orvo::kChannelCount; ++row) {
        orvo::ChannelTexts& cells = data.channels[static_cast<std::size_t>(row - 1)];
        for (int col = 1; col <= static_cast<int>(cells.size()); ++col)
            cells[static_cast<std::size_t>(col - 1)] =
                m_grid->GetTextMatrix(row, col).toStdString();
    }
    return data;
}

void CTernView::OnFilePrint()
{
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

void CTernView::OnFilePrintPreview()
{
    orvo::previewReport(window(), GetReportData(), GetPrinter());
}

void CTernView::OnFilePrintSetup()
{
    orvo::pageSetup(window(), GetPrinter());
}
