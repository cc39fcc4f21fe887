#pragma once
// The channel table of an image as CSV: a header line
// "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power" and one line per channel
// with the cell texts the form shows.

#include "core/image/radio_image.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo::cli {

// The header and the 16 channel lines, CRLF line ends.
std::string exportChannelCsv(const RadioImage& image);

// The largest CSV that import reads.
constexpr std::size_t kMaxCsvBytes = 1024 * 1024;

// Applies a CSV in the export's format to records 1..16 of `image` as saving from the form does;
// no other byte changes. Frequencies pass the same check as typed ones (against the band of the
// image's Field) after being plain decimal numbers, so a decimal comma is refused rather than
// read as a whole number; tones must be table entries in any letter case ("67" stands for 67.0),
// "Off" or empty; flag columns take their words (any letter case) or nothing. Fields may be
// separated by ';' instead of ',' (as the header shows). Texts over kMaxCsvBytes and lines over
// 4 KiB are refused with one error. Channels without a line become empty. A line
// with only a receive frequency gets the transmit frequency and the default texts that typing it
// gives; a channel with a frequency gets the default word for every flag left empty.
// On any error `image` is left as it was and the errors (one per bad cell or line, naming the
// line and the column, cell texts with control characters escaped; at most 20, then
// "... and N more") are returned; an empty result means success.
std::vector<std::string> importChannelCsv(std::string_view csv, RadioImage& image);

} // namespace orvo::cli
