#pragma once
// The memory CSV that multi-radio programming tools exchange: a header line naming the columns
// (Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity,
// RxDtcsCode, CrossMode, Mode, TStep, Skip, Power, Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE),
// then one line a memory. Frequencies and offsets in MHz, CTCSS tones in Hz, DCS codes as three
// octal digits. Plain C++, no Qt.

#include "core/image/channel_codec.h"
#include "core/message/message.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// The largest memory CSV that import reads.
constexpr std::size_t kMaxCommonCsvBytes = 1024 * 1024;

// True when the first line of `text` that is not blank is a header of this format: it names a
// Location and a Frequency column (in any letter case, separated by ',' or ';'). Our own channel
// CSV starts with "CH" and never is.
bool isCommonCsv(std::string_view text);

// Reading a memory CSV (planMemoryList in channel_import.h): columns are found by name in any
// order; a missing column reads as empty, but Location and Frequency must be there. Each memory
// maps onto a channel: Frequency is the receive frequency, Duplex and Offset give the transmit
// frequency ("" the same, "+"/"-" Offset away, "split" Offset itself, "off" none), Tone and
// CrossMode say which of rToneFreq, cToneFreq, DtcsCode/RxDtcsCode (with DtcsPolarity, transmit
// then receive) is sent and which received, Mode FM/NFM gives W/N, Skip "S" Scan Delete, Power
// "High"/"Low" or watts (the highest value of the placed lines High, any lower one Low). Every
// frequency passes the check of typing against the band of the image's Field and must not be
// finer than 10 Hz; every tone must be in the tone table.

// Imports a memory CSV by Location, all or nothing: the listed channels are written as saving
// from the form does and the others keep every byte. When any line cannot be taken `image` is
// left as it was and the refusals come back (refusalMessages); an empty result means success.
std::vector<Message> importCommonCsv(std::string_view text, RadioImage& image);

// A channel that the export leaves out or writes in a way other programs may not read.
struct CommonCsvNote
{
    int channel;
    Message text; // LeftOut or TransmitOnly, said after the channel
};

struct CommonCsvExport
{
    std::string text;
    // Channels with Busy "Yes": the format has no column for it.
    std::vector<int> busyChannels;
    std::vector<CommonCsvNote> notes;
};

// The header and one line per channel that is not empty, CRLF line ends. Each line takes the
// simplest Tone mode that says the same and Duplex "", "+", "-" or "off"; "split" only when no
// band holds both frequencies. A channel with a transmit frequency only is written with an empty
// Frequency, Duplex "split" and the transmit frequency as Offset (a note says so). Channels that
// typing could not give (a frequency off 60..600 MHz or off the raster, a tone not in the table)
// are left out with a note. Reads only.
CommonCsvExport exportCommonCsv(const RadioImage& image);

// The Busy remark and the notes of an export as lines of text; empty when there is nothing to say.
std::vector<Message> exportRemarks(const CommonCsvExport& exported);

} // namespace orvo
