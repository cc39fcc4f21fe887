#include "core/formats/common_csv.h"

#include "core/editing/frequency_check.h"
#include "core/formats/common_csv_columns.h"
#include "core/formats/csv.h"
#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace orvo {

using namespace commoncsv;

CommonCsvExport exportCommonCsv(const RadioImage& image)
{
    CommonCsvExport out;
    out.text = csvLine({kColumnNames.begin(), kColumnNames.end()});
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        if (isChannelEmpty(image, ch))
            continue;
        const ChannelTexts t = decodeChannel(image, ch);
        if (t[kColBusy - 1] == "Yes")
            out.busyChannels.push_back(ch);

        // Only what typing could give: a line of anything else would not import.
        std::array<std::uint32_t, 2> units{};
        std::optional<Message> unfit;
        for (int c : {kColReceive, kColTransmit}) {
            const std::string& text = t[static_cast<std::size_t>(c - 1)];
            if (text.empty())
                continue;
            const FrequencyCheck check = checkFrequency(text, std::nullopt, CommitVariant::Enter);
            units[static_cast<std::size_t>(c - 1)] = check.units;
            if (!check.accepted() && !unfit)
                unfit = Message{MessageKind::UnfitFrequency, {channelColumnHeaders()[c], text}};
        }
        for (int c : {kColRxTone, kColTxTone}) {
            const std::string& text = t[static_cast<std::size_t>(c - 1)];
            if (!text.empty() && toneIndex(text) <= 0 && !unfit)
                unfit =
                    Message{MessageKind::UnfitTone, {channelColumnHeaders()[c], shownField(text)}};
        }
        if (unfit) {
            out.notes.push_back({ch, {MessageKind::LeftOut, {*unfit}}});
            continue;
        }

        std::vector<std::string> f(kColumnNames.size());
        f[kLocation] = std::to_string(ch);
        const std::uint32_t rx = units[0], tx = units[1];
        const bool hasRx = rx != 0, hasTx = tx != 0;
        f[kFrequency] = hasRx ? mhz(rx, 6) : "";
        const bool oneBand = std::any_of(bands().begin(), bands().end(), [&](const Band& b) {
            return rx >= b.low && rx <= b.high && tx >= b.low && tx <= b.high;
        });
        if (!hasTx) {
            f[kDuplex] = "off";
            f[kOffset] = mhz(0, 6);
        } else if (!hasRx || !oneBand) {
            f[kDuplex] = "split";
            f[kOffset] = mhz(tx, 6);
        } else {
            f[kDuplex] = tx == rx ? "" : tx > rx ? "+" : "-";
            f[kOffset] = mhz(tx > rx ? tx - rx : rx - tx, 6);
        }
        if (!hasRx)
            out.notes.push_back({ch, MessageKind::TransmitOnly});

        // Tone columns no mode reads still hold values that readers accept.
        f[kRToneFreq] = f[kCToneFreq] = "88.5";
        f[kDtcsCode] = f[kRxDtcsCode] = "023";
        f[kDtcsPolarity] = "NN";
        f[kCrossMode] = "Tone->Tone";
        const std::string& txTone = t[kColTxTone - 1];
        const std::string& rxTone = t[kColRxTone - 1];
        const auto kind = [](const std::string& tone) {
            return tone.empty() ? ToneKind::None : tone[0] == 'D' ? ToneKind::Dcs : ToneKind::Ctcss;
        };
        const ToneMode& mode = *std::find_if(kToneModes.begin(), kToneModes.end(), [&](auto& m) {
            return m.tx.kind == kind(txTone) && m.rx.kind == kind(rxTone) &&
                   (m.tx.column != m.rx.column || txTone == rxTone);
        });
        f[kTone] = mode.tone;
        if (*mode.crossMode)
            f[kCrossMode] = mode.crossMode;
        const auto put = [&f](ToneSource source, const std::string& tone, std::size_t side) {
            if (source.kind == ToneKind::Dcs) {
                f[static_cast<std::size_t>(source.column)] = tone.substr(1, 3);
                f[kDtcsPolarity][side] = tone[4] == 'I' ? 'R' : 'N';
            } else if (source.kind == ToneKind::Ctcss) {
                f[static_cast<std::size_t>(source.column)] = tone;
            }
        };
        put(mode.tx, txTone, 0);
        put(mode.rx, rxTone, 1);

        f[kMode] = t[kColWidth - 1] == "Narrow" ? "NFM" : "FM";
        for (std::uint32_t step : kSteps) {
            if (rx % step == 0 && tx % step == 0) {
                f[kTStep] = formatFixed(step / 100.0, 2);
                break;
            }
        }
        // Receive and transmit on different rasters: the step of the receive frequency.
        for (std::uint32_t step : kSteps) {
            if (f[kTStep].empty() && (hasRx ? rx : tx) % step == 0)
                f[kTStep] = formatFixed(step / 100.0, 2);
        }
        f[kSkip] = t[kColScan - 1] == "Delete" ? "S" : "";
        f[kPower] = t[kColPower - 1];
        out.text += csvLine(f);
    }
    return out;
}

std::vector<Message> exportRemarks(const CommonCsvExport& exported)
{
    std::vector<Message> remarks;
    if (!exported.busyChannels.empty()) {
        std::string list;
        for (int ch : exported.busyChannels)
            list += (list.empty() ? "" : ", ") + std::to_string(ch);
        remarks.push_back({exported.busyChannels.size() > 1 ? MessageKind::BusyNotWrittenMany
                                                            : MessageKind::BusyNotWritten,
                           {list}});
    }
    for (const CommonCsvNote& note : exported.notes)
        remarks.push_back({MessageKind::ChannelNote, {note.channel, note.text}});
    return remarks;
}

} // namespace orvo
