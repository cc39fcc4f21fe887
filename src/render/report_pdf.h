#pragma once
// The settings report as a PDF file, for people without a printer at hand. Needs a running
// QGuiApplication (fonts); no display is needed with the offscreen platform.

#include "core/formats/atomic_file.h"
#include "core/report/report_data.h"

#include <string>

namespace orvo {

enum class ReportPage { A4, Letter };

// Margins of the PDF page, in millimetres: the unprintable border of a common office printer, so
// the PDF shows the page a printer would give.
constexpr double kReportPdfMarginMm = 6.35;

// Writes the one-page report to `path` as writeFileAtomically does: whole or not at all, only over
// a regular file or a new name; on failure any previous file at `path` stays as it was.
FileResult writeReportPdf(const std::string& path, const ReportData& data, ReportPage page);

} // namespace orvo
