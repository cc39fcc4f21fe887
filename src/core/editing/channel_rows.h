#pragma once
// Channel rows as text, for copying rows out of the channel table and pasting them back: the
// columns of orvo-cli's channel CSV, tab-separated as spreadsheets exchange them or as CSV.
// Pasted cells pass the checks of typing; plain C++, no Qt.

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvo {

// The header line and one line per channel (CH and the eight cell texts), fields separated by
// `separator`: '\t' gives tab-separated text, ',' CSV quoted where it must be. CRLF line ends.
std::string channelRowsText(const RadioImage& image, const std::vector<int>& channels,
                            char separator);

// A pasted cell that was refused: the channel it was meant for, its column (1..8; 0 for a line
// that is not a row of the table) and why.
struct RefusedCell
{
    int channel;
    int column;
    Message reason;
};

struct PastedRows
{
    // Rows to write, each with its channel, checked and completed as typing them would.
    std::vector<std::pair<int, ChannelTexts>> rows;
    std::vector<RefusedCell> refused;
    // The rows of the text (counted from 1, header and blank lines aside) that came below
    // channel 16 and were not taken; 0 and 0 when every row found a channel.
    int firstUnfitRow = 0;
    int lastUnfitRow = 0;
};

// Reads pasted rows (tab-separated, or CSV when no line holds a tab; a line of column names
// without a number, ours or `columnNames` (the window's words), with or without CH, is a header;
// 9 fields with the channel number first, or the 8 cells alone) onto channels `first`,
// `first` + 1, ... 16, one row per line. A row is taken as a copy, each cell checked as typing
// checks it, in column order: frequencies the check of leaving the cell against `band`, tones
// must name an entry of the tone table (listedTone) or "Off", flags one of their two words; a
// flag on a row without a frequency is refused. Empty frequencies and tones stay empty (no
// transmit frequency follows the receive one); empty flags of a row with a frequency take their
// defaults. A row with a refused cell is left out whole; rows beyond channel 16 are counted in
// firstUnfitRow..lastUnfitRow.
PastedRows pasteChannelRows(std::string_view text, int first, std::optional<BandLimits> band,
                            const std::vector<std::string>& columnNames = {});

} // namespace orvo
