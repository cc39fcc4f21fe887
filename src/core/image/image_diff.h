#pragma once
// The differences of two images as the user reads them: first the settings (as formSelections
// shows them) and channel fields whose texts differ ("CH 3 Receive: "462.56250" -> "462.57500""),
// then the bytes that differ in bits no changed text covers. orvo-cli diff and verify and the
// window's Verify With Radio share it.

#include "core/image/radio_image.h"
#include "core/image/settings_codec.h"
#include "core/message/message.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orvo {

// One difference between image A and image B.
struct ImageDifference
{
    Message name;           // "Squelch Level", "CH 3 Receive", or "byte 0x3C5" for a raw byte
    std::string before;     // the text in A (a field) or two hex digits (a raw byte)
    std::string after;      // the same in B
    std::size_t offset = 0; // the first byte of the difference; its block is offset / 8
    bool raw = false;       // a byte whose difference shows in no text
};

// Every difference of `a` and `b`, fields in form order (settings, then channels 1..16 column by
// column), then raw bytes by offset. Empty exactly when the images are equal.
std::vector<ImageDifference> compareImages(const RadioImage& a, const RadioImage& b);

// The raw differences (bytes no text shows) counted by where they lie, for a summary the user
// can read: channels empty in both images that differ only there (a Write makes them equal),
// other channels whose records differ there, and bytes outside channel records 1..16.
struct UnshownDifferences
{
    int emptyChannels = 0;
    int channels = 0;
    int otherBytes = 0;
};

// Counts the raw entries of `differences` (compareImages(a, b)) as UnshownDifferences says.
UnshownDifferences countUnshownDifferences(const std::vector<ImageDifference>& differences,
                                           const RadioImage& a, const RadioImage& b);

// One line as orvo-cli diff prints it: `CH 3 Receive: "462.56250" -> "462.57500"` for a field,
// `byte 0x3C5: 05 -> 03` for a raw byte.
std::string differenceText(const ImageDifference& difference);

// The same line as a message: FieldDifference or ByteDifference, a field's values as words.
Message differenceMessage(const ImageDifference& difference);

// The clone block (0..127, 8 bytes each) where a difference begins.
inline int differenceBlock(const ImageDifference& difference)
{
    return static_cast<int>(difference.offset / 8);
}

} // namespace orvo
