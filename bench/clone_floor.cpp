#include "clone_floor.h"

#include <algorithm>
#include <cstdio>

namespace orvo::bench {

double Floor::totalMs() const
{
    double total = 0;
    for (const FloorTerm& term : terms)
        total += term.times * term.eachMs;
    return total;
}

std::string Floor::explain() const
{
    std::string text;
    char line[256];
    for (const FloorTerm& term : terms) {
        std::snprintf(line, sizeof line, "  %-66s %4d x %8.3f = %9.2f ms\n", term.what.c_str(),
                      term.times, term.eachMs, term.times * term.eachMs);
        text += line;
    }
    std::snprintf(line, sizeof line, "  %-66s %27.2f ms\n", "floor", totalMs());
    text += line;
    return text;
}

namespace {

// An answer of n bytes is complete this long after the command that asks for it has arrived.
double answerMs(const LineModel& line, int n)
{
    const double last = line.realCable ? 1 : 0; // an answer's first byte is there after this many b
    return line.latencyMs + (n - 1 + last) * line.byteMs;
}

} // namespace

double answerWaitMs(bool write, const LineModel& line)
{
    auto answer = [&](int n) { return answerMs(line, n); };
    // The ACK to the program request arrives while the program pauses; only what is left of it
    // after those 2 ms is waited for.
    const double wakeUp = std::max(0.0, answer(1) - 2.0);
    const double blocks = write ? 128 * answer(1) : 128 * (answer(12) + answer(1));
    return wakeUp + answer(8) + answer(1) + blocks;
}

Floor cloneFloor(bool write, const LineModel& line)
{
    const double b = line.byteMs;
    const double out = line.realCable ? b : 0; // one byte from the program
    auto answer = [&](int n) { return answerMs(line, n); };

    Floor floor;
    auto add = [&](std::string what, int times, double each) {
        floor.terms.push_back({std::move(what), times, each});
    };
    // Wake-up, identification and entry.
    add("12 waiting cycles, each with its 1 ms pause", 12, 1.0);
    add("program request: 8 one-byte writes, each and its 1 ms pause", 8, out + 1.0);
    // The radio answers while the program pauses its second millisecond.
    add("1 ms pause / ACK to the program request, whichever is later", 1,
        std::max(2.0, answer(1)) - 1.0);
    add("1 ms pause + swallowing read ends by its time-out (200 + 50 x 1)", 1, 1.0 + 250.0);
    add("2 ms pause + identification request (1 byte)", 1, 2.0 + out);
    add("identification (8 bytes)", 1, answer(8));
    add("16 waiting cycles, each with its 1 ms pause", 16, 1.0);
    add("entry ACK out, ACK back, 1 ms pause", 1, out + answer(1) + 1.0);
    if (write) {
        add("block: header (4) + 1 ms pause + data (8) out", 128, 12 * out + 1.0);
        add("block: ACK back", 128, answer(1));
        add("block: 201 waiting cycles (no pause) + 2 ms pause", 128, 2.0);
    } else {
        add("block: read command out (4 bytes)", 128, 4 * out);
        add("block: reply (12 bytes)", 128, answer(12));
        add("block: 10 ms pause + ACK out + ACK back", 128, 10.0 + out + answer(1));
        add("block: 199 waiting cycles (no pause) + 10 ms pause", 128, 10.0);
    }
    return floor;
}

} // namespace orvo::bench
