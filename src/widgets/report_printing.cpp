#include "widgets/report_printing.h"

#include "render/report_renderer.h"

#include <QAbstractPrintDialog>
#include <QDialog>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QWidget>

#include <algorithm>

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
    // Nine tenths of the screen's height, and wide enough for the whole toolbar: the dialog's
    // own size hides the Print button behind the toolbar's overflow arrow.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        int width = dialog.sizeHint().width();
        if (const QToolBar* toolBar = dialog.findChild<QToolBar*>())
            width = std::max(width, toolBar->sizeHint().width() + 24);
        const QSize size(std::min(width, available.width()), available.height() * 9 / 10);
        dialog.resize(size);
        dialog.move(available.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    runDialog(dialog);
}

bool pageSetup(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return runDialog(dialog);
}

} // namespace orvo
