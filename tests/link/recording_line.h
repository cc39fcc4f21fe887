#pragma once
// A serial line that passes everything to a real one and records what the protocol did, in order.
// It can also make chosen writes fail, as a broken driver would.

#include "link/serial_line.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class RecordingLine : public orvo::SerialLine
{
public:
    using Bytes = std::vector<std::uint8_t>;
    explicit RecordingLine(std::unique_ptr<orvo::SerialLine> inner) : m_inner(std::move(inner)) {}

    // Every operation in order: 'o'pen, 'c'lose, 'p'urge, 'w'rite, 'r'ead, pau's'e.
    std::string ops;
    // The next this-many one-byte writes of an ACK report a failure and send nothing.
    int failWrites = 0;

    const std::vector<Bytes>& writes() const { return m_writes; }

    bool open(const std::string& name) override { return ops += 'o', m_inner->open(name); }
    bool isOpen() const override { return m_inner->isOpen(); }
    void close() override { ops += 'c', m_inner->close(); }
    void setQueueSizes(std::size_t input, std::size_t output) override
    {
        m_inner->setQueueSizes(input, output);
    }
    void setTimeouts(const orvo::LineTimeouts& t) override { m_inner->setTimeouts(t); }
    void configure9600_8N1() override { m_inner->configure9600_8N1(); }
    void purge() override { ops += 'p', m_inner->purge(); }
    void pause(int milliseconds) override { ops += 's', m_inner->pause(milliseconds); }
    long read(std::uint8_t* data, std::size_t n) override
    {
        return ops += 'r', m_inner->read(data, n);
    }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        ops += 'w';
        m_writes.emplace_back(data, data + n);
        if (failWrites > 0 && n == 1 && data[0] == 0x06) {
            --failWrites;
            return -1;
        }
        return m_inner->write(data, n);
    }

private:
    std::unique_ptr<orvo::SerialLine> m_inner;
    std::vector<Bytes> m_writes;
};
