#pragma once
// The tone table and the two-byte tone field of a channel record: none, a CTCSS tone in hertz
// ("67.0") or a DCS code sent normal ("D023N") or inverted ("D023I").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

constexpr int kToneCount = 261;         // "Off", 50 CTCSS tones, 105 DCS normal, 105 DCS inverted
constexpr int kFirstCtcssTone = 1;      // indices 1..50
constexpr int kFirstDcsNormalTone = 51; // indices 51..155
constexpr int kFirstDcsInvertedTone = 156; // indices 156..260

// The 261 tone texts in their fixed order; [0] == "Off". Built once, never changed.
const std::vector<std::string>& toneTable();

// Text of a tone field (low byte at the lower offset). High byte 0xFF or 0x00 gives the empty
// text. Nibbles above 9 are not rejected; they add their value like any digit.
std::string decodeTone(std::uint8_t low, std::uint8_t high);

// The two bytes of a tone field, low byte first in the record.
struct ToneBytes
{
    std::uint8_t low;
    std::uint8_t high;
    bool operator==(const ToneBytes&) const = default;
};

// Bytes for a cell text. A text equal to a table entry when case is ignored is encoded as that
// entry ("d023n" as "D023N"); "", "Off" and other texts without a number give no tone (FF FF).
// Texts that match no entry follow the field's arithmetic; CTCSS values of 1000 Hz or more,
// which do not fit the field, give no tone.
ToneBytes encodeTone(std::string_view text);

// Index of the table entry equal to `text` when case is ignored, or -1.
int toneIndex(std::string_view text);

// The table entry equal to `text` when case is ignored ("d023n" gives "D023N").
std::optional<std::string> canonicalTone(std::string_view text);

} // namespace orvo
