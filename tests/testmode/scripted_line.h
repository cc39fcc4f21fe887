#pragma once
// A serial line for tests: it plays the radio's replies from a script and records every
// operation the exchange performs, in order, as short texts ("purge", "write 71 08", "read 1").

#include "link/serial_line.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace orvo::test {

// Bytes as "02 50 52", upper-case hex separated by blanks.
std::string hexBytes(const std::uint8_t* data, std::size_t n);

class ScriptedLine : public SerialLine {
public:
    // One read's outcome: the bytes that arrive (possibly none), or a device failure.
    struct Reply {
        std::vector<std::uint8_t> bytes;
        bool fails = false;
    };

    bool openSucceeds = true;
    std::deque<Reply> replies;        // consumed by reads in order; an empty script is silence
    std::vector<std::string> trace;   // every operation since construction

    void reply(std::vector<std::uint8_t> bytes) { replies.push_back({std::move(bytes), false}); }
    void silence() { replies.push_back({}); }
    void failRead() { replies.push_back({{}, true}); }

    bool open(const std::string& name) override;
    bool isOpen() const override { return m_open; }
    void close() override;
    void setQueueSizes(std::size_t input, std::size_t output) override;
    void setTimeouts(const LineTimeouts& timeouts) override;
    void configure9600_8N1() override { trace.push_back("9600 8N1"); }
    void purge() override { trace.push_back("purge"); }
    long write(const std::uint8_t* data, std::size_t n) override;
    long read(std::uint8_t* data, std::size_t n) override;
    void pause(int milliseconds) override { trace.push_back("pause " + std::to_string(milliseconds)); }

    // Only the writes of the trace, as their hex bytes.
    std::vector<std::string> writes() const;

private:
    bool m_open = false;
};

} // namespace orvo::test
