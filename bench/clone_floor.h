#pragma once
// The least time a clone transfer can take: the pauses and read time-outs the protocol prescribes
// plus the bytes that must cross the line, for a radio that answers as fast as the line allows.
// Times are in milliseconds.

#include <string>
#include <vector>

namespace orvo::bench {

// How the bytes cross the line.
struct LineModel
{
    double byteMs = 10000.0 / 9600; // one byte: start bit, 8 data bits, stop bit
    double latencyMs = 0;           // the radio's pause before each answer
    // A real cable: the program's bytes take byteMs each too, and a byte is there only once its
    // stop bit is. The simulator on a pty: the program's bytes arrive at once, and the first byte
    // of each answer too (the simulator paces the bytes after it).
    bool realCable = false;
};

// One line of the computation: what it is, how often, and its cost in ms each.
struct FloorTerm
{
    std::string what;
    int times;
    double eachMs;
};

struct Floor
{
    std::vector<FloorTerm> terms;
    double totalMs() const;
    // The computation, one term a line, and the total.
    std::string explain() const;
};

// A successful read (`write` false) or write of all 128 blocks on the first wake-up attempt.
Floor cloneFloor(bool write, const LineModel& line);

// The part of that floor the program spends in reads that the radio answers (the answers'
// latency and bytes beyond the pauses that overlap them); the rest is pauses, the one read that
// ends by its time-out, and the program's own bytes.
double answerWaitMs(bool write, const LineModel& line);

} // namespace orvo::bench
