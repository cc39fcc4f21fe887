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
#include <utility>
#include <vector>

namespace orvo {

// The largest memory CSV that import reads.
constexpr std::size_t kMaxCommonCsvBytes = 1024 * 1024;

// True when the first line of `text` that is not blank is a header of this format: it names a
// Location and a Frequency column. Our own channel CSV starts with "CH" and never is.
bool isCommonCsv(std::string_view text);

// A value or line that cannot be stored: the line of the text (from 1; 0 for the whole text),
// the column's name as the header gives it (empty for the whole line) and why.
struct CommonCsvRefusal
{
    int line = 0;
    std::string column;
    Message reason;
};

struct CommonCsvRows
{
    // The listed channels (1..16) and the texts each takes, as the form shows them: tones as
    // table entries or empty, Busy "No". Empty when anything was refused.
    std::vector<std::pair<int, ChannelTexts>> rows;
    // The first refusals in the order of the text, and how many more there were.
    std::vector<CommonCsvRefusal> refused;
    int moreRefused = 0;
};

// Reads a memory CSV. Columns are found by name in any order; a missing column reads as empty,
// but Location and Frequency must be there. Each memory maps onto the channel its Location
// names: Frequency is the receive frequency, Duplex and Offset give the transmit frequency
// ("" the same, "+"/"-" Offset away, "split" Offset itself, "off" none), Tone and CrossMode say
// which of rToneFreq, cToneFreq, DtcsCode/RxDtcsCode (with DtcsPolarity, transmit then receive)
// is sent and which received, Mode FM/NFM gives W/N, Skip "S" Scan Delete, Power "High"/"Low" or
// watts (the highest value in the text High, any lower one Low). Every frequency passes the check
// of typing against the band of `image`'s Field, every tone must be in the tone table. The
// channels the text does not list are not in the result; the caller keeps them as they are.
CommonCsvRows parseCommonCsv(std::string_view text, const RadioImage& image);

// Parses `text` as parseCommonCsv does and writes the listed channels into `image` as saving
// from the form does; the others keep every byte. On a refusal `image` is left as it was and the
// refusals come back as refusalMessages gives them; an empty result means success.
std::vector<Message> importCommonCsv(std::string_view text, RadioImage& image);

// The refusals, one line each, "line 3, column Tone: ...", with "... and N more" last.
std::vector<Message> refusalMessages(const CommonCsvRows& parsed);

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
