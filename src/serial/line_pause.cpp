#include "serial/line_pause.h"

#if defined(__linux__)
#include <cerrno>
#include <sys/prctl.h>
#include <time.h>
#else
#include <thread>
#endif

namespace orvo {

#if defined(__linux__)
namespace {

constexpr std::chrono::microseconds kSpinTail{150};

} // namespace
#endif

void pauseThread(int milliseconds)
{
    if (milliseconds > 0)
        pauseThreadUntil(std::chrono::steady_clock::now() +
                         std::chrono::milliseconds(milliseconds));
}

void pauseThreadUntil(std::chrono::steady_clock::time_point due)
{
#if defined(__linux__)
    // steady_clock is CLOCK_MONOTONIC here. An absolute deadline is not stretched by
    // interruptions, and a timer slack of 1 ns for the length of the pause stops the kernel from
    // adding its default 50 us to every wake-up. Even so a sleeping thread wakes some tens of
    // microseconds late, more on a virtual machine, and the protocols pause hundreds of times:
    // the sleep ends a little early and the rest is waited out awake.
    const auto wakeAt = due - kSpinTail;
    const auto sinceEpoch =
        std::chrono::duration_cast<std::chrono::nanoseconds>(wakeAt.time_since_epoch()).count();
    timespec at{};
    at.tv_sec = static_cast<time_t>(sinceEpoch / 1'000'000'000LL);
    at.tv_nsec = static_cast<long>(sinceEpoch % 1'000'000'000LL);
    const int slack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
    // 0 would mean "the default"; put back exactly what the thread had.
    if (slack > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(slack), 0, 0, 0);
    while (std::chrono::steady_clock::now() < due) {
    }
#else
    std::this_thread::sleep_until(due);
#endif
}

} // namespace orvo
