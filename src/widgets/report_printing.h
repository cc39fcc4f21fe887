#pragma once
// File Print, File Print Preview and File Print Setup of the settings report: the dialogs around
// the renderer, ready for the main window to call with the report texts of the form and the one
// printer it keeps (so the paper chosen in Print Setup holds for Print and Preview).

#include "core/report/report_data.h"

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace orvo {

// Shows the print dialog (one page only); when the user accepts, prints the report on `printer`.
// Returns true when the report was printed.
bool printReport(QWidget* parent, const ReportData& data, QPrinter& printer);

// Shows the report in a print preview of its one page; the preview's own Print button prints
// the same page on `printer`. Returns when the preview is closed.
void previewReport(QWidget* parent, const ReportData& data, QPrinter& printer);

// Shows the page set-up dialog for `printer`. Returns true when the user accepted a new set-up.
bool pageSetup(QWidget* parent, QPrinter& printer);

// Lets tests answer the three dialogs above: when set, the hook is called with the dialog, fully
// prepared, instead of running it, and its result counts as the user's accept (true) or cancel.
// An empty function restores the normal modal run.
using ReportDialogHook = std::function<bool(QDialog& dialog)>;
void setReportDialogHook(ReportDialogHook hook);

} // namespace orvo
