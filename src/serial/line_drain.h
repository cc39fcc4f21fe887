#pragma once
// Waiting until written bytes have left the driver.

namespace orvo {

// Blocks until the driver of the open port `handle` has sent what was written to it, so that a
// purge that follows cannot discard those bytes.
void drainLine(long long handle);

} // namespace orvo
