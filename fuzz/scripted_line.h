#pragma once
// A serial line whose radio is the fuzz input, for the clone and test-mode targets.
//
// The input is read as a script, front to back, by the line and by the host in the order they
// are asked. A read of n bytes takes one count byte c from the script: 0xFF is a device failure
// (-1); otherwise min(c, n) bytes follow and are delivered (fewer when the script ends). A used-up
// script is a silent line. Writes succeed unless the target asked for failing ones; pauses cost
// nothing.
//
// Every run must end: after kReadBudget reads the line is silent and the host answers Cancel to
// everything, and a run that still goes on after kStepLimit calls is reported as a hang.

#include "fuzz_check.h"

#include "core/link/serial_line.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvo::fuzz {

// The fuzz input, consumed from the front.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool usedUp() const { return m_pos >= m_size; }
    // The next byte, or `fallback` when the script is used up.
    std::uint8_t byte(std::uint8_t fallback = 0);
    // Up to n bytes into `out`; the count taken.
    std::size_t take(std::uint8_t* out, std::size_t n);
    // A text of up to `maxLength` bytes: a length byte, then the bytes.
    std::string text(std::size_t maxLength);

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

class ScriptedLine : public SerialLine {
public:
    static constexpr int kReadBudget = 4096;
    static constexpr long kStepLimit = 2'000'000;

    // `openFails`: every open is refused. `writeFailEvery`: when not 0, every such write returns -1.
    ScriptedLine(Script& script, bool openFails, int writeFailEvery);

    bool open(const std::string& name) override;
    bool isOpen() const override { return m_open; }
    void close() override;
    void setQueueSizes(std::size_t input, std::size_t output) override;
    void setTimeouts(const LineTimeouts& timeouts) override;
    void configure9600_8N1() override;
    void purge() override;
    long write(const std::uint8_t* data, std::size_t n) override;
    long read(std::uint8_t* data, std::size_t n) override;
    void pause(int milliseconds) override;

    // One step of the run; the host counts its calls here too.
    void step();
    // True once the read budget is spent: the host then answers Cancel.
    bool budgetSpent() const { return m_reads >= kReadBudget; }

    int opens() const { return m_opens; }
    // Writes that returned -1; they are not in writes().
    long failedWrites() const { return m_failedWrites; }
    // Every write in order, each as the bytes it carried.
    const std::vector<std::vector<std::uint8_t>>& writes() const { return m_writes; }
    // Every read in order, each as the bytes it delivered (empty for silence or failure).
    struct Read {
        std::size_t asked;
        long result;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Read>& reads() const { return m_readLog; }

private:
    void requireOpen(const char* what) const;

    Script& m_script;
    bool m_openFails;
    int m_writeFailEvery;
    bool m_open = false;
    int m_opens = 0;
    int m_reads = 0;
    long m_writeCount = 0;
    long m_failedWrites = 0;
    long m_steps = 0;
    std::vector<std::vector<std::uint8_t>> m_writes;
    std::vector<Read> m_readLog;
};

} // namespace orvo::fuzz
