#pragma once
// Draws the one-page settings report onto any paint device that has a resolution: a printer, the
// print preview, a PDF writer. The device's size is taken as the printable area, its logical
// pixels per inch as the resolution the twips of the layout are mapped onto.

#include "core/report/report_data.h"

class QPainter;
class QPagedPaintDevice;

namespace orvo {

// Draws the report with `painter`, which must be active on a device of positive size and
// resolution; the painter's origin is the top-left corner of the printable area. Leaves the
// painter's font as it found it. Draws nothing when the device has no size or resolution.
void drawReport(QPainter& painter, const ReportData& data);

// Draws the report as the single page of `device`. Returns false when painting on the device
// cannot begin (for example a PDF file that cannot be opened).
bool renderReport(QPagedPaintDevice& device, const ReportData& data);

} // namespace orvo
