#pragma once
// A serial line for tests: it plays the radio's replies from a script and records every
// operation, in order, as a short text ("purge", "write 74 08", "read 1", "pause 500").

#include "link/serial_line.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace orvo::test {

class ScriptedLine : public SerialLine
{
public:
    // One read's outcome: the bytes that arrive (none: silence), or a device failure.
    struct Reply
    {
        std::vector<std::uint8_t> bytes;
        bool fails = false;
    };
    std::deque<Reply> replies; // consumed by reads in order; after the last, silence
    std::vector<std::string> trace;

    bool open(const std::string& name) override { return log("open " + name), m_open = true; }
    bool isOpen() const override { return m_open; }
    void close() override { log("close"), m_open = false; }
    void setQueueSizes(std::size_t in, std::size_t out) override
    {
        log("queues " + std::to_string(in) + " " + std::to_string(out));
    }
    void setTimeouts(const LineTimeouts& t) override
    {
        log("timeouts " + std::to_string(t.interval) + " " + std::to_string(t.totalMultiplier) +
            " " + std::to_string(t.totalConstant) + " " + std::to_string(t.writeMultiplier) + " " +
            std::to_string(t.writeConstant));
    }
    void configure9600_8N1() override { log("9600 8N1"); }
    void purge() override { log("purge"); }
    void pause(int ms) override { log("pause " + std::to_string(ms)); }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        std::string op = "write";
        for (std::size_t i = 0; i < n; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", data[i]);
            op += hex;
        }
        log(op);
        return static_cast<long>(n);
    }
    long read(std::uint8_t* data, std::size_t n) override
    {
        log("read " + std::to_string(n));
        if (replies.empty())
            return 0;
        const Reply r = replies.front();
        replies.pop_front();
        if (r.fails)
            return -1;
        const std::size_t count = std::min(n, r.bytes.size());
        std::copy_n(r.bytes.begin(), count, data);
        return static_cast<long>(count);
    }

private:
    void log(std::string op) { trace.push_back(std::move(op)); }
    bool m_open = false;
};

} // namespace orvo::test
