#include "core/report/report_data.h"

#include "core/image/settings_codec.h"

#include <cstddef>

namespace orvo {

namespace {

std::size_t slot(SettingBox box)
{
    return static_cast<std::size_t>(box);
}

std::string selectedText(const SettingSelections& selections, SettingBox box)
{
    const int index = selections[slot(box)];
    const std::vector<std::string>& entries = settingBoxes()[slot(box)].entries;
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return {};
    return entries[static_cast<std::size_t>(index)];
}

} // namespace

const std::array<std::string, kReportGridColumns>& reportGridHeaders()
{
    static const std::array<std::string, kReportGridColumns> headers = [] {
        std::array<std::string, kReportGridColumns> texts;
        for (std::size_t c = 0; c < texts.size(); ++c)
            texts[c] = channelColumnHeaders()[c];
        return texts;
    }();
    return headers;
}

ReportData reportDataFromImage(const RadioImage& image)
{
    ReportData data;
    for (int channel = 1; channel <= kChannelCount; ++channel)
        data.channels[static_cast<std::size_t>(channel - 1)] = decodeChannel(image, channel);

    // As show and diff read a file: the band byte gives the Field whatever the model code.
    const SettingSelections selections = formSelections(image);
    data.type = selectedText(selections, SettingBox::Type);
    data.field = selectedText(selections, SettingBox::Field);
    data.txTotalTime = selectedText(selections, SettingBox::TxTotalTime);
    data.beep = selectedText(selections, SettingBox::Beep);
    data.squelchLevel = selectedText(selections, SettingBox::SquelchLevel);
    data.moni = selectedText(selections, SettingBox::Moni);
    return data;
}

std::string commonBandwidth(const ReportData& data)
{
    bool any = false;
    std::string common;
    for (const ChannelTexts& row : data.channels) {
        if (row[kColReceive - 1].empty() && row[kColTransmit - 1].empty())
            continue; // an empty channel has no bandwidth of its own
        if (!any) {
            common = row[kColWidth - 1];
            any = true;
        } else if (row[kColWidth - 1] != common) {
            return data.labels.mixed;
        }
    }
    return common;
}

} // namespace orvo
