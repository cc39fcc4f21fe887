#include "report/report_printing.h"

#include "report/report_renderer.h"

#include <QAbstractPrintDialog>
#include <QDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <utility>

namespace orvo {

namespace {

ReportDialogHook& dialogHook()
{
    static ReportDialogHook hook;
    return hook;
}

bool runDialog(QDialog& dialog)
{
    if (const ReportDialogHook& hook = dialogHook())
        return hook(dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

void setReportDialogHook(ReportDialogHook hook)
{
    dialogHook() = std::move(hook);
}

bool printReport(QWidget* parent, const ReportData& data, QPrinter& printer)
{
    // The report is one page: the dialog offers no page range.
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (!runDialog(dialog))
        return false;
    return renderReport(printer, data);
}

void previewReport(QWidget* parent, const ReportData& data, QPrinter& printer)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&data](QPrinter* target) { renderReport(*target, data); });
    runDialog(dialog);
}

bool pageSetup(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return runDialog(dialog);
}

} // namespace orvo
