#pragma once
// The radio's side of the clone transfer: after the program request it acknowledges, sends its
// identification, accepts the entry acknowledgement, then answers read and write blocks of 8 bytes
// until the program stops sending commands.

#include <cstdint>

namespace orvo::sim {

class RadioSim;

class CloneResponder
{
public:
    explicit CloneResponder(RadioSim& sim) : m_sim(sim) {}

    // Serves one transfer; called when the full program request 02 "PROGRAM" has arrived. Returns
    // when the program stops sending block commands, sends something else, or the line is gone.
    void serve();
    // Serves the block commands of a transfer the radio has entered (the entry acknowledged).
    void serveBlocks();

private:
    bool serveRead(int block);
    bool serveWrite(int block);

    RadioSim& m_sim;
};

} // namespace orvo::sim
