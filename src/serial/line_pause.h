#pragma once
// Pausing the calling thread for the short, exact pauses the wire protocols prescribe.

#include <chrono>

namespace orvo {

// Pauses the calling thread for at least `milliseconds` (nothing for 0 or less), waking as soon
// after that as the system allows. The protocols pause hundreds of times for 1 to 10 ms, so a
// pause that wakes late by the system's default timer slack adds up.
void pauseThread(int milliseconds);

// The same, until `due`; returns at once when it has passed.
void pauseThreadUntil(std::chrono::steady_clock::time_point due);

} // namespace orvo
