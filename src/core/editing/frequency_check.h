#pragma once
// The check of a typed frequency and the commit rules of a channel-table row. Pure functions on
// texts: the editor and the command-line import both run them and show the messages themselves.

#include "core/image/channel_codec.h"
#include "core/message/message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvo {

// Which commit runs the check. Leaving the cell (also before a read or write of the radio) runs
// every check that applies and may report two faults; Enter stops at the first fault.
enum class CommitVariant { LeaveCell, Enter };

// What can be wrong with a typed frequency, in the order the checks run.
enum class FrequencyFault {
    Format, // below 60 MHz or above 600 MHz, or not a number
    Band,   // outside the band selected in the Field list
    Step,   // on neither the 6.25 kHz nor the 5 kHz raster
};

// The message of a fault: FormatFault, BandFault or StepFault.
Message frequencyFaultMessage(FrequencyFault fault);

// True for the fault shown in a box of its own: caption BandFaultCaption, an information icon,
// OK. The others are shown in the application's ordinary message box.
inline bool isPromptFault(FrequencyFault fault)
{
    return fault == FrequencyFault::Band;
}

// Inclusive limits of a band in units of 10 Hz.
struct BandLimits
{
    std::uint32_t lowest;
    std::uint32_t highest;
};

// Limits of Field entry `fieldIndex` (0..3); none for any other index.
std::optional<BandLimits> bandLimitsForField(int fieldIndex);

// Outcome of checking one typed text.
struct FrequencyCheck
{
    // The text the cell takes: the checked number (`units`) formatted with "%3.5f" ("446.1"
    // gives "446.10000", "174.000005" gives "174.00000") when accepted, the empty text when
    // rejected.
    std::string text;
    // The number in units of 10 Hz; meaningful when there is no Format fault.
    std::uint32_t units = 0;
    // Faults in the order their messages are shown (at most two, and one for Enter).
    std::array<FrequencyFault, 2> faultList{};
    int faultCount = 0;

    bool accepted() const { return faultCount == 0; }
    std::span<const FrequencyFault> faults() const
    {
        return {faultList.data(), static_cast<std::size_t>(faultCount)};
    }
};

// Checks a non-empty typed frequency text: format (60..600 MHz), then band, then raster.
// A Format fault ends the check. A Band fault ends it for Enter; leaving the cell goes on to the
// raster check. With no band (`band` empty) the band check is skipped.
FrequencyCheck checkFrequency(std::string_view typed, std::optional<BandLimits> band,
                              CommitVariant variant);

// The text a tone cell takes when a tone editor is committed on a channel that has a frequency:
// the entry of the tone table that `typed` names (listedTone: the entry in its own letter case,
// "67" as "67.0"), or "OFF" when it names none.
std::string committedToneText(std::string_view typed);

// True when both frequency texts of the row are empty.
bool isRowEmpty(const ChannelTexts& row);

// Writes the final text `text` of frequency column `column` (kColReceive or kColTransmit) into
// `row` the way a commit does:
// - a non-empty text given to a row without frequencies and without texts in columns 3..5 brings
//   the default texts of columns 3..8, and in column 1 also becomes the transmit frequency;
// - with a non-empty text, any of columns 5..8 still empty takes its default text;
// - an empty text empties the tone that belongs to the frequency, and when columns 1..4 are then
//   all empty, columns 5..8 too.
void commitFrequencyText(ChannelTexts& row, int column, const std::string& text);

// What a commit did beyond writing into the row.
struct CommitOutcome
{
    // The frequency check, when the column is a frequency column and the editor text was not
    // empty; its faults are the messages to show, in order.
    std::optional<FrequencyCheck> check;
    // Enter on a rejected frequency: the editor stays open over the same cell with its text
    // emptied, and the row is unchanged.
    bool keepEditorOpen = false;
};

// Commits the in-place editor text `editorText` of column `column` (1..8) into `row`, as leaving
// the cell or pressing Enter does:
// - frequency columns: the check (non-empty texts only), then commitFrequencyText with the
//   checked text; for Enter, a rejection leaves the row as it was;
// - tone columns: on a row without frequencies the empty text, else committedToneText;
// - columns 5..8: on a row without frequencies the empty text when leaving the cell and no change
//   for Enter, else the editor text.
CommitOutcome commitEditorText(ChannelTexts& row, int column, std::string_view editorText,
                               std::optional<BandLimits> band, CommitVariant variant);

} // namespace orvo
