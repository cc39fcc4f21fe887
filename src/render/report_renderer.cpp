#include "render/report_renderer.h"

#include "core/report/report_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace orvo {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;

// A character's average width in the classic sense: the weighted mean of the advances of the
// lower-case letters and the blank. Printer fonts are sized to an average width by this measure;
// the metric twin of Times New Roman shares its advances, so the same width comes out.
double classicAverageWidth(const QFontMetricsF& fm)
{
    static constexpr int kLetterWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6,  35, 20,
                                               56, 56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2};
    double sum = 166 * fm.horizontalAdvance(QChar(u' '));
    for (int i = 0; i < 26; ++i)
        sum += kLetterWeights[i] * fm.horizontalAdvance(QChar(char16_t(u'a' + i)));
    return sum / 1000.0;
}

// The report's face of the given character height and average width (twips), normal weight,
// upright, plain, for drawing on `device`: the first of `faces` installed, or without faces Times
// New Roman. Liberation Serif stands in where Times New Roman is not installed; both have the
// same glyph advances.
QFont reportFont(const ReportFontSize& size, const std::vector<std::string>& faces,
                 QPaintDevice* device)
{
    QStringList families;
    for (const std::string& face : faces)
        families.append(QString::fromStdString(face));
    QFont font(families.isEmpty() ? QStringList{QStringLiteral("Times New Roman"),
                                                QStringLiteral("Liberation Serif")}
                                  : families);
    font.setStyleHint(families.isEmpty() ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(std::max(size.height, 1) / kTwipsPerPoint);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(false); // printer text output places glyphs by their advances alone

    const double wantedPx = size.averageWidth * device->logicalDpiX() / kTwipsPerInch;
    const double naturalPx = classicAverageWidth(QFontMetricsF(font, device));
    if (wantedPx > 0 && naturalPx > 0) {
        const int stretch = static_cast<int>(std::lround(100.0 * wantedPx / naturalPx));
        font.setStretch(std::clamp(stretch, 1, 4000));
    }
    return font;
}

// Height plus external leading of `font` on `device`, in twips.
int linePitch(const QFont& font, QPaintDevice* device)
{
    const QFontMetricsF fm(font, device);
    return static_cast<int>(std::lround((fm.height() + fm.leading()) * kTwipsPerInch / device->logicalDpiY()));
}

} // namespace

void drawReport(QPainter& painter, const ReportData& data)
{
    QPaintDevice* device = painter.device();
    if (!device || device->width() <= 0 || device->height() <= 0 || device->logicalDpiX() <= 0
        || device->logicalDpiY() <= 0)
        return;

    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    const ReportMetrics metrics = reportMetrics(device->width(), device->height(),
                                                device->logicalDpiX(), device->logicalDpiY());
    const QFont titleFont = reportFont(titleFontSize(metrics), data.labels.faces, device);
    const QFont bodyFont = reportFont(bodyFontSize(metrics), data.labels.faces, device);

    const std::vector<ReportText> texts =
        layoutReport(data, metrics, linePitch(titleFont, device), linePitch(bodyFont, device));

    painter.save();
    painter.setPen(Qt::black);
    for (const ReportText& t : texts) {
        const QFont& font = t.font == ReportFont::Title ? titleFont : bodyFont;
        painter.setFont(font);
        // Twips with y upward onto device pixels with y downward; the text hangs from its top.
        const double x = t.x * dpiX / kTwipsPerInch;
        const double top = -t.y * dpiY / kTwipsPerInch;
        const double ascent = QFontMetricsF(font, device).ascent();
        painter.drawText(QPointF(x, top + ascent), QString::fromStdString(t.text));
    }
    painter.restore();
}

bool renderReport(QPagedPaintDevice& device, const ReportData& data)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    drawReport(painter, data);
    return painter.end();
}

} // namespace orvo
