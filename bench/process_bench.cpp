// orvo-bench-run: runs a program several times and measures each run from the moment before it is
// spawned: wall time to its exit, its peak resident memory, and with --shown the moment the program
// reports its window shown (orvo with ORVO_EXIT_AFTER_SHOW set prints "shown monotonic_ns N").
//
//   orvo-bench-run --name NAME [--runs N] [--shown] -- PROGRAM ARGS...
//
// Prints one line per run, then "SUMMARY NAME.wall|.shown|.rss median min max n unit" lines.
#include "bench_stats.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct RunResult
{
    bool ok = false;
    double wallMs = 0;
    double shownMs = -1;
    double rssKb = 0;
};

RunResult runOnce(char** command)
{
    RunResult result;
    int out[2];
    if (pipe(out) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, command[0], &actions, nullptr, command, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "orvo-bench-run: cannot start %s: %s\n", command[0],
                     std::strerror(spawned));
        return result;
    }
    std::string text;
    char buffer[512];
    for (;;) {
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    result.rssKb = static_cast<double>(usage.ru_maxrss);
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (const auto at = text.find("shown monotonic_ns "); at != std::string::npos) {
        const long long shownNs = std::atoll(text.c_str() + at + 19);
        const long long startNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
        result.shownMs = static_cast<double>(shownNs - startNs) / 1e6;
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    std::string name = "run";
    int runs = 5;
    bool shown = false;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--name" && i + 1 < argc)
            name = argv[++i];
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--shown")
            shown = true;
        else
            break;
    }
    if (i >= argc) {
        std::fprintf(stderr,
                     "usage: orvo-bench-run --name NAME [--runs N] [--shown] -- PROGRAM ARGS...\n");
        return 2;
    }
    std::vector<double> walls, shownTimes, rss;
    int failures = 0;
    for (int run = 1; run <= runs; ++run) {
        const RunResult r = runOnce(argv + i);
        std::printf("%s run %d: wall %.1f ms, peak RSS %.0f KiB%s", name.c_str(), run, r.wallMs,
                    r.rssKb, r.ok ? "" : ", FAILED");
        if (shown)
            std::printf(", window shown after %.1f ms", r.shownMs);
        std::printf("\n");
        if (!r.ok || (shown && r.shownMs < 0)) {
            ++failures;
            continue;
        }
        walls.push_back(r.wallMs);
        rss.push_back(r.rssKb / 1024.0);
        if (shown)
            shownTimes.push_back(r.shownMs);
    }
    orvo::bench::printSummary((name + ".wall").c_str(), walls, "ms");
    if (shown)
        orvo::bench::printSummary((name + ".shown").c_str(), shownTimes, "ms");
    orvo::bench::printSummary((name + ".rss").c_str(), rss, "MiB");
    return failures == 0 ? 0 : 1;
}
