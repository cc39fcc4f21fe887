#pragma once
// Where every text of the settings report goes, in twips (1/1440 inch) with y growing upward from
// the top of the printable area, so positions below the top are negative. Plain arithmetic on
// whole numbers; the renderer maps it onto a device.

#include "core/report/report_data.h"

#include <string>
#include <vector>

namespace orvo {

// The three sizes the whole page is measured in, all in twips.
struct ReportMetrics
{
    int bodyHeight = 0; // H: character height of the body font
    int columnUnit = 0; // W: average character width of the body font, the unit of all x positions
    int pageCentre = 0; // X0: the middle of the printable width
};

// Derives H, W and X0 from the printable area in device pixels and the device's pixels per inch
// (both resolutions must be positive). Every division truncates toward zero, in the order
// H = (height / 42) * 1440 / dpiY, W = ((width * 1440 / dpiX) - 900) / 60,
// X0 = (width / 2) * 1440 / dpiX.
ReportMetrics reportMetrics(int pageWidthPx, int pageHeightPx, int dpiX, int dpiY);

// Character height and average character width of a report font, in twips.
struct ReportFontSize
{
    int height = 0;
    int averageWidth = 0;
};
ReportFontSize titleFontSize(const ReportMetrics& metrics); // 1.4 H by 1.4 W, truncated
ReportFontSize bodyFontSize(const ReportMetrics& metrics);  // H by W

enum class ReportFont { Title, Body };

// One text of the report, drawn with its top-left corner at (x, y).
struct ReportText
{
    int x = 0;
    int y = 0;
    ReportFont font = ReportFont::Body;
    std::string text;
};

// The report's texts in drawing order: the title, the settings block, the table heading and 16
// channel lines. titlePitch and bodyPitch are the fonts' line pitches (height plus external
// leading) in twips, as measured on the device. Empty grid cells print as a single blank; the W/N
// label prints commonBandwidth(data). The words are those of data.labels.
std::vector<ReportText> layoutReport(const ReportData& data, const ReportMetrics& metrics,
                                     int titlePitch, int bodyPitch);

} // namespace orvo
