// orvo-bench-noise: how busy the machine is while the other benchmarks run, and how late a short
// pause wakes.
//
//   orvo-bench-noise cpu [--runs N]     a fixed CPU-bound loop (about 100 ms on an idle core):
//                                       the share of a core it got (CPU time / wall time)
//   orvo-bench-noise sleep [--runs N]   1 ms pauses: how late QThread::msleep and the serial
//                                       line's pause (orvo::pauseThread) wake
#include "bench_stats.h"

#include "serial/line_pause.h"

#include <QThread>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Integer work that the compiler cannot drop (the result is printed).
std::uint64_t referenceWork()
{
    std::uint64_t x = 88172645463325252ull;
    for (int i = 0; i < 60'000'000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
    }
    return x;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const int runs = argc > 3 && std::string(argv[2]) == "--runs" ? std::atoi(argv[3]) : 0;
    if (mode == "cpu") {
        std::vector<double> share, wall;
        std::uint64_t sink = 0;
        for (int i = 0; i < std::max(1, runs ? runs : 5); ++i) {
            const auto start = Clock::now();
            const double cpuStart = threadCpuMs();
            sink ^= referenceWork();
            const double ms = msSince(start);
            wall.push_back(ms);
            share.push_back((threadCpuMs() - cpuStart) / ms);
        }
        std::printf("# reference loop checksum %llu\n", static_cast<unsigned long long>(sink % 97));
        orvo::bench::printSummary("noise.cpu_loop", wall, "ms");
        orvo::bench::printSummary("noise.cpu_share", share, "of_a_core");
        return 0;
    }
    if (mode == "sleep") {
        const int n = runs ? runs : 300;
        std::vector<double> qt, ours;
        double qtSum = 0, oursSum = 0;
        for (int i = 0; i < n; ++i) {
            auto start = Clock::now();
            QThread::msleep(1);
            qt.push_back((msSince(start) - 1.0) * 1000);
            qtSum += qt.back();
            start = Clock::now();
            orvo::pauseThread(1);
            ours.push_back((msSince(start) - 1.0) * 1000);
            oursSum += ours.back();
        }
        std::printf("# mean overshoot: QThread::msleep %.0f us, pauseThread %.0f us\n", qtSum / n,
                    oursSum / n);
        orvo::bench::printSummary("sleep.msleep_overshoot", qt, "us");
        orvo::bench::printSummary("sleep.pause_overshoot", ours, "us");
        return 0;
    }
    std::fprintf(stderr, "usage: orvo-bench-noise cpu|sleep [--runs N]\n");
    return 2;
}
