#pragma once
// What the tests of transfers share: radio memories with channels and settings of their own, and
// the requests a simulated radio heard.

#include "core/image/radio_image.h"

#include <QString>

namespace reliability {

// Two images that differ in channels and settings, each decodable and each a fixed point of
// decoding and encoding again: the document the user has, and the radio's memory.
orvo::RadioImage documentImage();
orvo::RadioImage radioMemory();

// Program and test requests the simulator's log (--log) shows it heard: a clone's program
// request, a test request, or, from a silent radio, every 8 (clone) or 7 (test) bytes ignored.
int requestsHeard(const QString& logPath, bool testMode);

} // namespace reliability
