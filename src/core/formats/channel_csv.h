#pragma once
// The channel table of an image as CSV: a header line
// "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power" and one line per channel
// with the cell texts the form shows, except that a tone field that holds no entry of the tone
// list is written as its two bytes ("0xC012", exactToneText).
//
// Exporting an image and importing the table into the same image gives back every byte. What a
// table carries to another image: every text it shows, frequencies as their value in 10 Hz (so
// nibbles above 9 are not carried) and tones exactly. What it does not carry, and an import
// leaves as the image holds it where the cell is as the image shows it: the four bytes of a
// missing frequency, a kept frequency's step flag, the low byte of a field without a tone (and
// whether its high byte is 0xFF or 0x00), the flag bits of an empty channel; and always bits 1,
// 3, 5 and 7 of the flag byte, byte 15 and everything outside records 1..16.

#include "core/image/radio_image.h"
#include "core/message/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// The header and the 16 channel lines, CRLF line ends.
std::string exportChannelCsv(const RadioImage& image);

// The largest CSV that import reads.
constexpr std::size_t kMaxCsvBytes = 1024 * 1024;

// Applies a CSV in the export's format to records 1..16 of `image` as saving from the form does;
// no other byte changes, and a cell equal to what the image shows keeps its bytes. Frequencies
// pass the same check as typed ones (against the band of the image's Field, formSelections)
// after being plain decimal numbers, so a decimal comma is refused rather than read as a whole
// number; a frequency equal to the one the channel holds is kept unchecked, as a cell left alone
// in the window. Tones must be table entries in any letter case ("67" stands for 67.0), raw texts
// ("0xC012"), "Off" or empty; flag columns take their words (any letter case) or nothing.
// Fields may be separated by ';' instead of ',' (as the header shows). Texts over kMaxCsvBytes
// and lines over 4 KiB are refused with one error. Channels without a line become empty. A line
// with only a receive frequency gets the transmit frequency and the default texts that typing it
// gives; a channel with a frequency gets the default word for every flag left empty. A line whose
// cells are all empty empties its channel. Channels without a line keep every byte, or with
// `emptyUnlisted` become empty (the table then stands for the whole channel list).
// On any error `image` is left as it was and the errors (one per bad cell or line, naming the
// line and the column, cell texts escaped as escapedText does; at most 20, then
// "... and N more") are returned; an empty result means success.
std::vector<Message> importChannelCsv(std::string_view csv, RadioImage& image,
                                      bool emptyUnlisted = false);

// How many of channels 1..16 differ in any byte of their records between `before` and `after`:
// what an import changed.
int changedChannelCount(const RadioImage& before, const RadioImage& after);

} // namespace orvo
