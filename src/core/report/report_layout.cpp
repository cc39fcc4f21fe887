#include "core/report/report_layout.h"

#include <cstddef>
#include <cstdint>

namespace orvo {

namespace {

constexpr std::int64_t kTwipsPerInch = 1440;

// Lines per page the body font is sized for.
constexpr std::int64_t kLinesPerPage = 42;

// Twips kept free beside the 60 column units of a line.
constexpr std::int64_t kSideTwips = 900;

constexpr std::int64_t kColumnUnitsPerLine = 60;

int truncated(double value)
{
    return static_cast<int>(value);
}

} // namespace

ReportMetrics reportMetrics(int pageWidthPx, int pageHeightPx, int dpiX, int dpiY)
{
    const std::int64_t width = pageWidthPx;
    const std::int64_t height = pageHeightPx;
    ReportMetrics m;
    m.bodyHeight = static_cast<int>((height / kLinesPerPage) * kTwipsPerInch / dpiY);
    m.columnUnit =
        static_cast<int>((width * kTwipsPerInch / dpiX - kSideTwips) / kColumnUnitsPerLine);
    m.pageCentre = static_cast<int>((width / 2) * kTwipsPerInch / dpiX);
    return m;
}

ReportFontSize titleFontSize(const ReportMetrics& metrics)
{
    return {truncated(metrics.bodyHeight * 1.4), truncated(metrics.columnUnit * 1.4)};
}

ReportFontSize bodyFontSize(const ReportMetrics& metrics)
{
    return {metrics.bodyHeight, metrics.columnUnit};
}

std::vector<ReportText> layoutReport(const ReportData& data, const ReportMetrics& metrics,
                                     int titlePitch, int bodyPitch)
{
    const int w = metrics.columnUnit;
    const int p = bodyPitch;
    std::vector<ReportText> out;
    auto body = [&out](int x, int y, std::string text) {
        out.push_back({x, y, ReportFont::Body, std::move(text)});
    };

    const ReportLabels& l = data.labels;
    out.push_back({metrics.pageCentre - 14 * w, -(titlePitch / 2), ReportFont::Title, l.title});
    int y = -(titlePitch / 2) - titlePitch;

    auto nextLine = [&y, p] { y -= p; };
    auto gap = [&y, p] { y = truncated(y - 1.2 * p); };

    body(5 * w, y, l.functionSetting);
    gap();
    body(2 * w, y, l.type + data.type);
    nextLine();
    body(2 * w, y, l.field + data.field);
    nextLine();
    body(2 * w, y, l.txTotalTime + data.txTotalTime);
    body(31 * w, y, l.beep + data.beep);
    nextLine();
    body(2 * w, y, l.squelchLevel + data.squelchLevel);
    body(31 * w, y, l.bandwidth + commonBandwidth(data));
    nextLine();
    body(2 * w, y, l.moni + data.moni);
    nextLine();
    body(5 * w, y, l.channelSetting);
    gap();

    // Columns 1 to 5 of each channel row, each followed by one blank.
    static constexpr int kCellX[] = {6, 18, 32, 42, 52};
    const auto& h = data.headers;
    if (l.headingCells[0].empty()) {
        body(w, y,
             h[0] + "    " + "Rx(MHz)" + "  " + "Tx(MHz)" + "     " + h[3] + "  " + h[4] + "     " +
                 h[5]);
    } else {
        body(w, y, l.headingCells[0]);
        for (std::size_t c = 0; c < 5; ++c)
            body(kCellX[c] * w, y, l.headingCells[c + 1]);
    }

    for (int row = 1; row <= kChannelCount; ++row) {
        nextLine();
        const ChannelTexts& cells = data.channels[static_cast<std::size_t>(row - 1)];
        body(w, y, std::to_string(row));
        for (std::size_t c = 0; c < 5; ++c)
            body(kCellX[c] * w, y, cells[c] + " ");
    }
    return out;
}

} // namespace orvo
