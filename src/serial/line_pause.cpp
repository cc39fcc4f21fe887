#include "serial/line_pause.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <sys/prctl.h>
#include <time.h>
#else
#include <chrono>
#include <thread>
#endif

namespace orvo {

void pauseThread(int milliseconds)
{
    if (milliseconds <= 0)
        return;
#if defined(Q_OS_LINUX)
    // An absolute deadline is not stretched by interruptions, and a timer slack of 1 ns for the
    // length of the pause stops the kernel from adding its default 50 us to every wake-up.
    timespec due{};
    clock_gettime(CLOCK_MONOTONIC, &due);
    due.tv_sec += milliseconds / 1000;
    due.tv_nsec += static_cast<long>(milliseconds % 1000) * 1'000'000L;
    if (due.tv_nsec >= 1'000'000'000L) {
        due.tv_nsec -= 1'000'000'000L;
        ++due.tv_sec;
    }
    const int slack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
    // 0 would mean "the default"; put back exactly what the thread had.
    if (slack > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(slack), 0, 0, 0);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}

} // namespace orvo
