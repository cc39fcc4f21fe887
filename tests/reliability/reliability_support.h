#pragma once
// What the reliability tests of the radio link share: radio memories with channels and settings
// of their own, the requests a simulated radio heard, and the proof that this process holds no
// serial port any more.

#include "image/radio_image.h"

#include <QString>

namespace reliability {

// Three images that differ in channels and settings, each decodable and each a fixed point of
// decoding and encoding again: the document the user has, the radio's memory, and the memory of
// the radio of the next transfer.
orvo::RadioImage documentImage();
orvo::RadioImage radioMemory();
orvo::RadioImage nextRadioMemory();

// Program and test requests the simulator's log (--log) shows it heard: a clone's program
// request, a test request, or, from a silent radio, every 8 (clone) or 7 (test) bytes ignored.
int requestsHeard(const QString& logPath, bool testMode);

// Empty when this process holds no lock on any serial port and, when `device` still exists, it
// opens at once and closes again; otherwise what is wrong.
QString portFreeProblem(const QString& device);

// The test mode's texts.
inline const char* const kTryAgainText = " Error had happen ,need try again";
inline const char* const kFinishedText = "Finish successfully!";

} // namespace reliability
