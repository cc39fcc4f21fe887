#pragma once
// The frequency page of the test mode: its three debug frequencies above the band's lower edge,
// the check a typed frequency gets when confirmed with Enter, and the two tone lists it offers.
// Frequencies are in MHz as doubles or in whole units of 10 Hz.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// The debug frequencies, numbered by the dialog's codes.
enum class DebugFrequency : int { High = 2, Middle = 3, Low = 4 };

// MHz above the band's lower edge: 20 for High, 10 for Middle, 0 for Low.
int debugFrequencyOffset(DebugFrequency which);

// The channel steps a side of the page can round to.
enum class DebugStep { Khz5, Khz6_25 };

// Typed frequencies are held between the band's lower edge and 20 MHz above it.
constexpr int kDebugBandWidthMhz = 20;

// The text of `text` confirmed on a side with `step`: its leading number in MHz (0 when there is
// none) as whole units of 10 Hz (times 100000, plus 0.05, truncated); above bandBase + 20 MHz
// it becomes that limit, below bandBase it becomes bandBase; in between it is rounded to the
// step: on 5 kHz a remainder up to 2.50 kHz rounds down, from 2.51 kHz up; on 6.25 kHz a
// remainder up to 3.12 kHz rounds down, from 3.13 kHz up. The band's lower edge is a whole
// number of MHz, so both limits lie on both rasters and the result never leaves the range.
std::int64_t confirmDebugFrequencyUnits(std::string_view text, double bandBaseMhz, DebugStep step);

// A frequency in MHz as the page's edits show it: printf "%8.5f" in the C locale
// ("136.00000", " 0.00000").
std::string formatDebugFrequency(double mhz);

// The confirmed text of `text`: confirmDebugFrequencyUnits, formatted as above.
std::string confirmDebugFrequency(std::string_view text, double bandBaseMhz, DebugStep step);

// A run of the tone table: `count` entries from position `first`.
struct ToneRange
{
    int first;
    int count;
};

// The receive and transmit tone lists: with QT the table's positions 0..42 ("Off", "67.0" ..
// "206.5"); with DQT 43..210 (the CTCSS tones "210.7" .. "254.1", every normal DCS code and the
// inverted codes "D023I" .. "D325I").
ToneRange debugToneList(bool dqt);

} // namespace orvo
