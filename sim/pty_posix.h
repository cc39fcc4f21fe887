#pragma once
// The simulator's side of a pseudo-terminal, and the process signals it reacts to. Everything that
// needs the POSIX terminal and signal interfaces lives behind this header.

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvo::sim {

// The master side of a pseudo-terminal. A serial program opens `path()` as if it were a port.
class PtyLine
{
public:
    PtyLine() = default;
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;
    ~PtyLine();

    // Creates the pair in raw mode. The slave side stays open here too, so that the line survives
    // the program closing and reopening its port between transfers.
    bool open(std::string& error);
    const std::string& path() const { return m_path; }
    bool isOpen() const { return m_master >= 0; }

    // Waits up to `timeoutMs` for bytes and takes what is there, at most `max`. Returns the count,
    // 0 on a time-out or an interrupting signal, -1 when the line is gone.
    long readSome(std::uint8_t* data, std::size_t max, int timeoutMs);

    // Sends all bytes; false when the line is gone.
    bool writeAll(const std::uint8_t* data, std::size_t n);

    // Closes both sides: the program's next read or write on its port fails.
    void hangUp();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// SIGINT and SIGTERM ask the simulator to stop; SIGUSR1 asks it to write its memory file now.
void installSignalHandlers();
bool stopRequested();
bool takeDumpRequest();

} // namespace orvo::sim
