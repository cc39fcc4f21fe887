#include "report/report_pdf.h"

#include "report/report_renderer.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

namespace orvo {

FileResult writeReportPdf(const std::string& path, const ReportData& data, ReportPage page)
{
    const QString fileName = QString::fromStdString(path);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return {false, "Cannot write " + path + ": " + file.errorString().toStdString()};

    {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("The Radio Settings"));
        writer.setCreator(QStringLiteral("Orvo Programming Software"));
        const QPageSize size(page == ReportPage::Letter ? QPageSize::Letter : QPageSize::A4);
        const QMarginsF margins(kReportPdfMarginMm, kReportPdfMarginMm, kReportPdfMarginMm,
                                kReportPdfMarginMm);
        writer.setPageLayout(
            QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Millimeter));
        if (!renderReport(writer, data)) {
            file.cancelWriting();
            return {false, "Cannot write " + path + ": the report could not be drawn"};
        }
    }
    // QSaveFile's commit does not notice a failed write of its last buffered bytes (a disk that
    // fills at the end), so the flush is checked here, before the file can replace a previous one.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const std::string why = file.error() != QFileDevice::NoError
                                    ? file.errorString().toStdString()
                                    : std::string("not every byte could be written");
        file.cancelWriting();
        return {false, "Cannot write " + path + ": " + why};
    }
    if (!file.commit())
        return {false, "Cannot write " + path + ": " + file.errorString().toStdString()};
    return {};
}

} // namespace orvo
