#include "app/print_controller.h"

#include "document/document.h"
#include "document/language.h"
#include "document/message_text.h"
#include "document/settings.h"
#include "widgets/message_box.h"
#include "widgets/pending_edit.h"
#include "widgets/report_printing.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A printer with the set-up of `from`: its printer or PDF output, paper, margins and options.
std::unique_ptr<QPrinter> copyOfPrinter(const QPrinter& from)
{
    auto to = std::make_unique<QPrinter>(QPrinter::HighResolution);
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

PrintController::PrintController(const Document& doc, Settings& settings, PendingEdit& edit,
                                 QWidget* parent, QObject* owner)
    : QObject(owner), m_document(doc), m_settings(settings), m_edit(edit), m_parent(parent)
{
}

PrintController::~PrintController() = default;

QPrinter& PrintController::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // What File > Print Setup chose in an earlier session: the printer, where it still
        // exists, and the paper and orientation; the printer's own margins stay.
        const Settings& settings = m_settings;
        if (settings.hasPrintSetup()) {
            const QString name = settings.printerName();
            if (!name.isEmpty() && !QPrinterInfo::printerInfo(name).isNull())
                m_printer->setPrinterName(name);
            const QPageLayout layout = settings.pageLayout();
            m_printer->setPageSize(layout.pageSize());
            m_printer->setPageOrientation(layout.orientation());
        }
    }
    return *m_printer;
}

orvo::ReportData PrintController::reportData(const Document& doc)
{
    // The report speaks the window's language; its words and values are those the form shows.
    using orvo::SettingBox;
    auto shown = [](const std::string& text) { return translatedWord(text).toStdString(); };
    auto selected = [&doc, &shown](SettingBox box) {
        return shown(doc.selectionText(box).toStdString());
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
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel) {
        orvo::ChannelTexts texts = doc.channelTexts(channel);
        for (std::string& text : texts)
            text = shown(text);
        data.channels[static_cast<std::size_t>(channel - 1)] = texts;
    }

    orvo::ReportLabels& labels = data.labels;
    auto label = [](const char* text) { return tr(text).toStdString(); };
    labels.title = label(QT_TR_NOOP("The Radio Settings"));
    labels.functionSetting = label(QT_TR_NOOP("Function Setting:"));
    labels.type = label(QT_TR_NOOP("Type:   "));
    labels.field = label(QT_TR_NOOP("Frequency Field:"));
    labels.txTotalTime = label(QT_TR_NOOP("Tx Total Time: "));
    labels.beep = label(QT_TR_NOOP("Warning Setting: "));
    labels.squelchLevel = label(QT_TR_NOOP("Squelch Level: "));
    labels.bandwidth = label(QT_TR_NOOP("W/N: "));
    labels.moni = label(QT_TR_NOOP("Moni: "));
    labels.channelSetting = label(QT_TR_NOOP("Channel Setting:"));
    labels.mixed = shown("Mixed");
    for (const QString& face : languageFaces())
        labels.faces.push_back(face.toStdString());
    // The English heading is one line of the grid's headers parted by blanks; a translated one
    // has words of other widths, so each stands at its column, in words short enough for it.
    if (activeLanguage() != Language::English) {
        static const char* const kHeading[] = {QT_TR_NOOP("CH"),      QT_TR_NOOP("Rx(MHz)"),
                                               QT_TR_NOOP("Tx(MHz)"), QT_TR_NOOP("Rx Tone"),
                                               QT_TR_NOOP("Tx Tone"), QT_TR_NOOP("Busy")};
        for (std::size_t c = 0; c < labels.headingCells.size(); ++c)
            labels.headingCells[c] = label(kHeading[c]);
    }
    return data;
}

void PrintController::print()
{
    m_edit.commitPendingEdit();
    QPrinter& target = printer();
    if (orvo::printReport(m_parent, reportData(m_document), target))
        return;
    // Cancelled, or accepted and the printer (or the chosen file) could not be opened.
    if (target.printerState() != QPrinter::Error)
        return;
    // A printer keeps its error state; the session goes on with a fresh one of the same set-up,
    // so that a later cancel is not taken for another failure.
    m_printer = copyOfPrinter(target);
    messageBox(m_parent, tr("Failed to start print job."));
}

void PrintController::preview()
{
    m_edit.commitPendingEdit();
    orvo::previewReport(m_parent, reportData(m_document), printer());
}

void PrintController::pageSetup()
{
    QPrinter& target = printer();
    if (orvo::pageSetup(m_parent, target))
        m_settings.setPrintSetup(target.printerName(), target.pageLayout());
}
