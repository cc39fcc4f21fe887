#pragma once
// The channels of an image that contradict its band, listed before the image is saved or written
// to the radio; the window and the command line show the same lines.

#include "core/image/radio_image.h"
#include "core/message/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// One line per frequency of channels 1..16 outside the band the image selects (its band code,
// whatever the model code holds: formSelections), channel by channel, receive before transmit:
// "Channel 3 Receive 462.56250 lies outside 136 - 174MHz". Empty when all lie inside. Reads only.
std::vector<Message> outOfBandChannels(const RadioImage& image);

// The Field entry whose text is `text` ("400 - 470MHz"); -1 for none.
int fieldIndexOf(std::string_view text);

// Selects Field entry `fieldIndex` (0..3) as saving the form with that Field does: band code
// 0x3D2 and model code 0x3D6. Nothing else changes.
void selectBand(RadioImage& image, int fieldIndex);

} // namespace orvo
