#pragma once
// Channel records 1..16 of the image and the eight cell texts of a channel-table row.
// Frequencies are eight packed-decimal digits in units of 10 Hz, least significant byte first.

#include "core/image/radio_image.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

constexpr int kChannelCount = 16;

// Cell texts of grid columns 1..8 (index = column - 1).
using ChannelTexts = std::array<std::string, 8>;

// Grid columns of the channel table; column 0 holds the channel number.
enum ChannelColumn : int {
    kColReceive = 1,
    kColTransmit = 2,
    kColRxTone = 3,
    kColTxTone = 4,
    kColBusy = 5,
    kColWidth = 6,
    kColScan = 7,
    kColPower = 8,
};

// Header texts of columns 0..8: "CH", "Receive(MHz)", ... "Power".
const std::array<const char*, 9>& channelColumnHeaders();

// Texts of channel `channel` (1..16) exactly as the grid shows them. Reads only; an empty
// channel (no receive and no transmit frequency) has empty texts in columns 5..8.
ChannelTexts decodeChannel(const RadioImage& image, int channel);

// Writes the texts of one row into record `channel` (1..16): bytes 0..11, bits 0, 2, 4 and 6 of
// byte 12, and the step flags 13 and 14. Other bits of byte 12 and byte 15 stay untouched. The
// texts are taken as already checked; unknown words encode as the other state of their bit.
void encodeChannel(const ChannelTexts& texts, RadioImage& image, int channel);

// A byte of a channel record (0..15) and the bits of it that a column stands for.
struct ColumnBits
{
    int byte;
    std::uint8_t mask;
};

// What column `column` (1..8) reads and writes in a channel record: a frequency its four bytes
// and its step flag, a tone its two bytes, a flag column its one bit of byte 12.
std::vector<ColumnBits> channelColumnBits(int column);

// True when record `channel` (1..16) has neither a receive nor a transmit frequency.
bool isChannelEmpty(const RadioImage& image, int channel);

// The four bytes of a frequency field (least significant first) as "%3.5f" megahertz text,
// or the empty text when the most significant byte is 0xFF or 0x00.
std::string decodeFrequency(const std::uint8_t* field);

// A frequency text as a whole number of 10 Hz units: its leading number times 100000, with 0.05
// added to absorb the floating-point error of five-decimal texts, truncated. Texts that do not
// begin with a number give 0; negative values give 0.
std::uint64_t frequencyUnits(std::string_view text);

// Writes `units` (10 Hz) as packed decimal into the four bytes of `field`. 0, and values of
// 1000 MHz or more (which do not fit eight digits), write no frequency (FF FF FF FF).
void encodeFrequency(std::uint64_t units, std::uint8_t* field);

// Default texts of columns 3..8 that a channel gets with its first frequency:
// "Off", "Off", "No", "Wide", "Add", "High".
const std::array<const char*, 6>& defaultRowTexts();

} // namespace orvo
