#pragma once
// Pausing the calling thread for the short, exact pauses the wire protocols prescribe.

#include <chrono>

namespace orvo {

// Pauses the calling thread for at least `milliseconds` (nothing for 0 or less), returning within
// a few microseconds after that: it sleeps until shortly before and waits out the last 150 us
// awake. The protocols pause hundreds of times for 1 to 10 ms, so pauses that wake late add up.
void pauseThread(int milliseconds);

// The same, until `due`; returns at once when it has passed.
void pauseThreadUntil(std::chrono::steady_clock::time_point due);

} // namespace orvo
