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
// A raw text ("0xC012", see exactToneText) gives exactly its bytes. Texts that match no entry
// follow the field's arithmetic; CTCSS values of 1000 Hz or more, which do not fit the field,
// give no tone.
ToneBytes encodeTone(std::string_view text);

// The text that names a tone field exactly, for files that must give back the same bytes: the
// empty text for no tone (high byte 0xFF or 0x00; the low byte is then not named), the table
// entry when the bytes are that entry's encoding, and otherwise the raw text: "0x" and the two
// bytes as four upper-case hex digits, high byte first ("0xC012" for the bytes 12 C0, which
// decodeTone shows as "D012I"). No table entry begins with "0x".
std::string exactToneText(ToneBytes bytes);

// The bytes of a raw text: "0x" (or "0X") and exactly four hex digits in either case, high byte
// first. Nothing for any other text.
std::optional<ToneBytes> rawToneBytes(std::string_view text);

// Index of the table entry equal to `text` when case is ignored, or -1.
int toneIndex(std::string_view text);

// The table entry equal to `text` when case is ignored ("d023n" gives "D023N").
std::optional<std::string> canonicalTone(std::string_view text);

// The table entry a typed text names: the entry equal to it ignoring case, or, for a plain
// decimal number, the CTCSS entry of that value in hertz ("67", "67.00" and "067.0" give
// "67.0"). Nothing for any other text ("67.05", "D23N", "67Hz").
std::optional<std::string> listedTone(std::string_view text);

} // namespace orvo
