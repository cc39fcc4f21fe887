#include "core/editing/frequency_check.h"

#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <cmath>

namespace orvo {

namespace {

// The frequencies a channel can hold at all, in units of 10 Hz: 60 MHz to 600 MHz.
constexpr double kLowestFrequency = 6'000'000;
constexpr double kHighestFrequency = 60'000'000;

// The two channel rasters in units of 10 Hz: 6.25 kHz and 5 kHz.
constexpr std::uint32_t kRaster625 = 625;
constexpr std::uint32_t kRaster500 = 500;

std::string& cell(ChannelTexts& row, int column)
{
    return row[static_cast<std::size_t>(column - 1)];
}

void addFault(FrequencyCheck& check, FrequencyFault fault)
{
    check.faultList[static_cast<std::size_t>(check.faultCount++)] = fault;
}

} // namespace

Message frequencyFaultMessage(FrequencyFault fault)
{
    switch (fault) {
    case FrequencyFault::Format:
        return MessageKind::FormatFault;
    case FrequencyFault::Band:
        return MessageKind::BandFault;
    case FrequencyFault::Step:
        break;
    }
    return MessageKind::StepFault;
}

std::optional<BandLimits> bandLimitsForField(int fieldIndex)
{
    if (fieldIndex < 0 || fieldIndex >= static_cast<int>(bands().size()))
        return std::nullopt;
    const Band& b = bands()[static_cast<std::size_t>(fieldIndex)];
    return BandLimits{b.low, b.high};
}

FrequencyCheck checkFrequency(std::string_view typed, std::optional<BandLimits> band,
                              CommitVariant variant)
{
    FrequencyCheck check;
    const double f = leadingNumber(typed);
    // The same steps, in double precision, as the encoder: the 0.05 absorbs the error of
    // texts with five decimals.
    double n = f * 1000;
    n *= 100;
    n += 0.05;
    n = std::trunc(n);
    if (!(n >= kLowestFrequency && n <= kHighestFrequency)) {
        addFault(check, FrequencyFault::Format);
        return check;
    }
    check.units = static_cast<std::uint32_t>(n);
    if (band && (check.units < band->lowest || check.units > band->highest)) {
        addFault(check, FrequencyFault::Band);
        if (variant == CommitVariant::Enter)
            return check;
    }
    if (check.units % kRaster625 != 0 && check.units % kRaster500 != 0)
        addFault(check, FrequencyFault::Step);
    // The text shows the number that passed the checks. Rounding a longer fraction instead
    // could carry it past the band's edge or off the raster: "174.000005" is checked as
    // 17400000 and must not show, and then store, 174.00001.
    if (check.accepted())
        check.text = formatFixed(check.units / 100000.0, 5);
    return check;
}

std::string committedToneText(std::string_view typed)
{
    if (auto entry = listedTone(typed))
        return *std::move(entry);
    return "OFF";
}

bool isRowEmpty(const ChannelTexts& row)
{
    return row[kColReceive - 1].empty() && row[kColTransmit - 1].empty();
}

void commitFrequencyText(ChannelTexts& row, int column, const std::string& text)
{
    if (!text.empty()) {
        const bool firstFrequency = cell(row, kColRxTone).empty() &&
                                    cell(row, kColTxTone).empty() && cell(row, kColBusy).empty() &&
                                    isRowEmpty(row);
        if (firstFrequency) {
            const auto& defaults = defaultRowTexts();
            for (int c = kColRxTone; c <= kColPower; ++c)
                cell(row, c) = defaults[static_cast<std::size_t>(c - kColRxTone)];
            // The transmit frequency follows the receive frequency.
            if (column == kColReceive)
                cell(row, kColTransmit) = text;
        }
        cell(row, column) = text;
        // A row whose frequencies were emptied may keep a tone, and a commit on it while it had
        // no frequency empties the flag it touched; the defaults above then pass it by. An empty
        // flag would be stored as its other word ("No", "Narrow", "Delete", "Low") without the
        // grid ever showing it, so a channel's empty flags take their defaults.
        for (int c = kColBusy; c <= kColPower; ++c) {
            if (cell(row, c).empty())
                cell(row, c) = defaultRowTexts()[static_cast<std::size_t>(c - kColRxTone)];
        }
        return;
    }
    // The tone belongs to its frequency and goes with it.
    cell(row, column == kColReceive ? kColRxTone : kColTxTone).clear();
    cell(row, column).clear();
    bool anyLeft = false;
    for (int c = kColReceive; c <= kColTxTone; ++c)
        anyLeft = anyLeft || !cell(row, c).empty();
    if (!anyLeft) {
        for (int c = kColBusy; c <= kColPower; ++c)
            cell(row, c).clear();
    }
}

CommitOutcome commitEditorText(ChannelTexts& row, int column, std::string_view editorText,
                               std::optional<BandLimits> band, CommitVariant variant)
{
    CommitOutcome outcome;
    if (column == kColReceive || column == kColTransmit) {
        std::string text;
        if (!editorText.empty()) {
            outcome.check = checkFrequency(editorText, band, variant);
            if (!outcome.check->accepted() && variant == CommitVariant::Enter) {
                outcome.keepEditorOpen = true;
                return outcome;
            }
            text = outcome.check->text;
        }
        commitFrequencyText(row, column, text);
    } else if (column == kColRxTone || column == kColTxTone) {
        cell(row, column) = isRowEmpty(row) ? std::string() : committedToneText(editorText);
    } else if (column >= kColBusy && column <= kColPower) {
        if (!isRowEmpty(row))
            cell(row, column) = std::string(editorText);
        else if (variant == CommitVariant::LeaveCell)
            cell(row, column).clear();
    }
    return outcome;
}

} // namespace orvo
