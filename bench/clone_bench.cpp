// orvo-bench-clone: clone transfers against a radio (normally orvo-radio-sim --baud 9600) run
// in-process over the Qt serial line, with the time split by what the line was doing, and the
// protocol's floor computed for comparison.
//
//   orvo-bench-clone floor [--latency MS]             print the floor computation
//   orvo-bench-clone read|write --port P [--runs N] [--latency MS]
//                                                     run N transfers; one line of figures each,
//                                                     then where the time above the floor went
#include "bench_stats.h"
#include "clone_floor.h"

#include "core/image/radio_image.h"
#include "core/link/clone_session.h"
#include "serial/qt_serial_line.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Time spent in one kind of line operation.
struct Tally
{
    int count = 0;
    double ms = 0;
    double worstMs = 0;
    void add(double spent)
    {
        ++count;
        ms += spent;
        worstMs = std::max(worstMs, spent);
    }
};

// Passes everything to the real line and tallies where the time goes.
class TimingLine : public orvo::SerialLine
{
public:
    explicit TimingLine(std::unique_ptr<orvo::SerialLine> inner) : m_inner(std::move(inner)) {}

    // looks: the one-byte reads of a few ms after each read reply, for a byte too many.
    Tally purges, writes, reads, timedOutReads, looks, pauses;
    double pauseAskedMs = 0;
    double worstOvershootMs = 0;
    std::vector<double> overshootsUs; // of every pause, in order

    bool open(const std::string& name) override { return m_inner->open(name); }
    bool isOpen() const override { return m_inner->isOpen(); }
    void close() override { m_inner->close(); }
    void setQueueSizes(std::size_t input, std::size_t output) override
    {
        m_inner->setQueueSizes(input, output);
    }
    void setTimeouts(const orvo::LineTimeouts& t) override
    {
        m_looking = t.totalConstant < 10;
        m_inner->setTimeouts(t);
    }
    void configure9600_8N1() override { m_inner->configure9600_8N1(); }
    void purge() override
    {
        const auto start = Clock::now();
        m_inner->purge();
        purges.add(msSince(start));
    }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        const auto start = Clock::now();
        const long result = m_inner->write(data, n);
        writes.add(msSince(start));
        return result;
    }
    long read(std::uint8_t* data, std::size_t n) override
    {
        const auto start = Clock::now();
        const long result = m_inner->read(data, n);
        (m_looking                       ? looks
         : result < static_cast<long>(n) ? timedOutReads
                                         : reads)
            .add(msSince(start));
        return result;
    }
    void pause(int milliseconds) override
    {
        const auto start = Clock::now();
        m_inner->pause(milliseconds);
        const double spent = msSince(start);
        pauses.add(spent);
        pauseAskedMs += milliseconds;
        worstOvershootMs = std::max(worstOvershootMs, spent - milliseconds);
        overshootsUs.push_back((spent - milliseconds) * 1000);
    }
    void pauseSince(Clock::time_point since, int milliseconds) override
    {
        const auto start = Clock::now();
        const auto due = since + std::chrono::milliseconds(milliseconds);
        const double asked =
            std::max(0.0, std::chrono::duration<double, std::milli>(due - start).count());
        m_inner->pauseSince(since, milliseconds);
        const double spent = msSince(start);
        pauses.add(spent);
        pauseAskedMs += asked;
        worstOvershootMs = std::max(worstOvershootMs, spent - asked);
        overshootsUs.push_back((spent - asked) * 1000);
    }

private:
    std::unique_ptr<orvo::SerialLine> m_inner;
    bool m_looking = false;
};

class QuietHost : public orvo::CloneHost
{
public:
    explicit QuietHost(orvo::CloneDirection direction) : m_direction(direction) {}
    Tally cycles;
    std::string lastMessage;

    void showStatus(const orvo::Message&) override {}
    void showProgress(int, int) override {}
    Cycle waitingCycle() override { return Cycle::Continue; }
    Answer showMessage(const orvo::Message& message, Buttons) override
    {
        lastMessage = orvo::messageText(message);
        return Answer::Cancel;
    }
    orvo::CloneDirection direction() override { return m_direction; }

private:
    orvo::CloneDirection m_direction;
};

int usage()
{
    std::fprintf(stderr, "usage: orvo-bench-clone floor [--latency MS]\n"
                         "       orvo-bench-clone read|write --port P [--runs N] [--latency MS]\n");
    return 2;
}

void printFloors(double latencyMs)
{
    for (bool write : {false, true}) {
        for (bool cable : {false, true}) {
            orvo::bench::LineModel model;
            model.latencyMs = latencyMs;
            model.realCable = cable;
            std::printf("%s floor, %s, radio latency %.0f ms:\n", write ? "Write" : "Read",
                        cable ? "real 9600-baud cable (both directions paced)"
                              : "orvo-radio-sim on a pty (answers paced, commands instant)",
                        latencyMs);
            const orvo::bench::Floor floor = orvo::bench::cloneFloor(write, model);
            std::fputs(floor.explain().c_str(), stdout);
            std::printf("FLOOR %s_%s %.2f\n", write ? "write" : "read", cable ? "cable" : "sim",
                        floor.totalMs());
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const QCoreApplication qt(argc, argv); // the serial line's notifiers need it
    const std::string mode = argv[1];
    std::string port;
    int runs = 1;
    double latencyMs = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--port")
            port = argv[i + 1];
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--latency")
            latencyMs = std::atof(argv[i + 1]);
        else
            return usage();
    }
    if (mode == "floor") {
        printFloors(latencyMs);
        return 0;
    }
    if ((mode != "read" && mode != "write") || port.empty())
        return usage();

    const auto direction =
        mode == "write" ? orvo::CloneDirection::Write : orvo::CloneDirection::Read;
    const orvo::RadioImage source = orvo::RadioImage::makeNew();
    std::printf("# run wall_ms pauses(n asked actual worst_overshoot) reads(n ms) "
                "timed_out_reads(n ms) looks(n ms) writes(n ms worst) purges(n ms)\n");
    int failures = 0;
    orvo::bench::LineModel model;
    model.latencyMs = latencyMs;
    const double answerFloorMs =
        orvo::bench::answerWaitMs(direction == orvo::CloneDirection::Write, model);
    std::vector<double> walls, pauseExcess, answerExcess, timeoutExcess, looks, writesPurges, other;
    for (int run = 1; run <= runs; ++run) {
        TimingLine line(orvo::makeSerialLine());
        QuietHost host(direction);
        orvo::CloneSession session(line, host, source);
        const auto start = Clock::now();
        const orvo::CloneResult result = session.run(port);
        const double wall = msSince(start);
        if (result.outcome != orvo::CloneOutcome::Completed) {
            std::fprintf(stderr, "orvo-bench-clone: run %d failed: %s\n", run,
                         host.lastMessage.c_str());
            ++failures;
            continue;
        }
        std::printf(
            "%d %.1f  %d %.0f %.1f %.3f  %d %.1f  %d %.1f  %d %.1f  %d %.1f %.3f  %d %.2f\n", run,
            wall, line.pauses.count, line.pauseAskedMs, line.pauses.ms, line.worstOvershootMs,
            line.reads.count, line.reads.ms, line.timedOutReads.count, line.timedOutReads.ms,
            line.looks.count, line.looks.ms, line.writes.count, line.writes.ms, line.writes.worstMs,
            line.purges.count, line.purges.ms);
        const orvo::bench::Spread late = orvo::bench::spreadOf(line.overshootsUs);
        std::printf("#   a pause woke late by median %.0f us, max %.0f us\n", late.median,
                    late.max);
        std::fflush(stdout);
        walls.push_back(wall);
        pauseExcess.push_back(line.pauses.ms - line.pauseAskedMs);
        answerExcess.push_back(line.reads.ms - answerFloorMs);
        timeoutExcess.push_back(line.timedOutReads.ms - 250.0 * line.timedOutReads.count);
        looks.push_back(line.looks.ms);
        writesPurges.push_back(line.writes.ms + line.purges.ms);
        other.push_back(wall - line.pauses.ms - line.reads.ms - line.timedOutReads.ms -
                        line.looks.ms - line.writes.ms - line.purges.ms);
    }
    const std::string name = "inprocess_" + mode;
    orvo::bench::printSummary((name + ".wall").c_str(), walls, "ms");
    // Where the time above the floor goes.
    orvo::bench::printSummary((name + ".pause_overshoot").c_str(), pauseExcess, "ms");
    orvo::bench::printSummary((name + ".answer_wait_excess").c_str(), answerExcess, "ms");
    orvo::bench::printSummary((name + ".timeout_excess").c_str(), timeoutExcess, "ms");
    orvo::bench::printSummary((name + ".surplus_looks").c_str(), looks, "ms");
    orvo::bench::printSummary((name + ".writes_purges").c_str(), writesPurges, "ms");
    orvo::bench::printSummary((name + ".other").c_str(), other, "ms");
    return failures == 0 ? 0 : 1;
}
