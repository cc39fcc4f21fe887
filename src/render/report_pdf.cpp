#include "render/report_pdf.h"

#include "core/formats/atomic_file.h"
#include "render/report_renderer.h"

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>

namespace orvo {

FileResult writeReportPdf(const std::string& path, const ReportData& data, ReportPage page)
{
    // Drawn in memory first, then saved as every other file is: the name stays bytes (whatever
    // the locale makes of them) and only a regular file or a new name is replaced.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("The Radio Settings"));
        writer.setCreator(QStringLiteral("Orvo Programming Software"));
        const QPageSize size(page == ReportPage::Letter ? QPageSize::Letter : QPageSize::A4);
        const QMarginsF margins(kReportPdfMarginMm, kReportPdfMarginMm, kReportPdfMarginMm,
                                kReportPdfMarginMm);
        writer.setPageLayout(
            QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Millimeter));
        if (!renderReport(writer, data))
            return {false, {MessageKind::ReportNotDrawn, {path}}};
    }
    return writeFileAtomically(
        path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

} // namespace orvo
