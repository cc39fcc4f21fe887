#pragma once
// The texts the settings report prints, gathered from the form (or decoded from an image exactly
// as the form would show it), so one renderer serves the printer, the preview and the PDF writer.

#include "core/image/channel_codec.h"
#include "core/image/radio_image.h"
#include "core/message/translate_noop.h"

#include <array>
#include <string>
#include <vector>

namespace orvo {

// Number of grid columns: the channel number and the eight cell columns.
constexpr int kReportGridColumns = 9;

// Header texts of the channel grid's row 0, columns 0 to 8, as the form shows them.
const std::array<std::string, kReportGridColumns>& reportGridHeaders();

// The report's own words. The defaults are the English report; the window gives them in its
// language. Each label ends with the blanks that part it from its value.
struct ReportLabels
{
    std::string title = "The Radio Settings";
    std::string functionSetting = "Function Setting:";
    std::string type = "Type:   ";
    std::string field = "Frequency Field:";
    std::string txTotalTime = "Tx Total Time: ";
    std::string beep = "Warning Setting: ";
    std::string squelchLevel = "Squelch Level: ";
    std::string bandwidth = "W/N: ";
    std::string moni = "Moni: ";
    std::string channelSetting = "Channel Setting:";
    std::string mixed =
        QT_TRANSLATE_NOOP("orvo", "Mixed"); // the W/N value when the channels' widths differ
    // The channel table's heading over columns 0 to 5, each drawn at its column. Empty: the
    // heading is one line of the grid's headers parted by blanks.
    std::array<std::string, 6> headingCells{};
    // The font families the report prints in, best first. None: Times New Roman, or Liberation
    // Serif where it is missing. A translation names faces that carry its letters and Latin ones.
    std::vector<std::string> faces{};
};

// Everything the report shows, as plain texts. A box without a selection holds the empty text.
struct ReportData
{
    std::string type;         // selected text of the Type box (1017)
    std::string field;        // selected text of the Field box (1011), the band
    std::string txTotalTime;  // selected text of the Tx Total Time box (1013)
    std::string beep;         // selected text of the Beep box (1014), printed as "Warning Setting"
    std::string squelchLevel; // selected text of the Squelch Level box (1016)
    std::string moni;         // selected text of the Moni box (1012)
    // Texts of the grid's header row, columns 0 to 8.
    std::array<std::string, kReportGridColumns> headers = reportGridHeaders();
    // Cell texts of channel rows 1 to 16 (index = row - 1), columns 1 to 8 (index = column - 1).
    std::array<ChannelTexts, kChannelCount> channels{};
    ReportLabels labels;
};

// The report of `image` as the form shows it right after opening the image: channel cells and
// setting boxes decoded from it; for an image that is not a ZT-4 image the Type and Field boxes
// keep the first selections of a fresh form ("ZT-4", "400 - 470MHz").
ReportData reportDataFromImage(const RadioImage& image);

// The bandwidth all programmed channels (those with a receive or a transmit frequency) share:
// their W/N text when they all agree, labels.mixed when they differ, empty when none is
// programmed.
std::string commonBandwidth(const ReportData& data);

} // namespace orvo
