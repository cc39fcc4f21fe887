#pragma once
// A serial line that passes everything to a real one and records what the protocol did, in order.
// It can also make chosen writes fail, as a broken driver would.

#include "link/serial_line.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct LineEvent
{
    enum Kind { Open, Close, Purge, Write, Read, Pause };
    Kind kind;
    std::vector<std::uint8_t> bytes; // written, or received
    long result = 0;                 // count written or read, -1 for a failure
    std::size_t requested = 0;       // bytes asked for by a read
    int ms = 0;                      // length of a pause
};

class RecordingLine : public orvo::SerialLine
{
public:
    explicit RecordingLine(std::unique_ptr<orvo::SerialLine> inner) : m_inner(std::move(inner)) {}

    std::vector<LineEvent> events;
    // The next this-many one-byte writes of `failByte` report a failure and send nothing.
    int failWrites = 0;
    std::uint8_t failByte = 0x06;

    bool open(const std::string& name) override;
    bool isOpen() const override { return m_inner->isOpen(); }
    void close() override;
    void setQueueSizes(std::size_t input, std::size_t output) override
    {
        m_inner->setQueueSizes(input, output);
    }
    void setTimeouts(const orvo::LineTimeouts& t) override { m_inner->setTimeouts(t); }
    void configure9600_8N1() override { m_inner->configure9600_8N1(); }
    void purge() override;
    long write(const std::uint8_t* data, std::size_t n) override;
    long read(std::uint8_t* data, std::size_t n) override;
    void pause(int milliseconds) override;

    // Every write, in order.
    std::vector<std::vector<std::uint8_t>> writes() const;
    std::size_t count(LineEvent::Kind kind) const;

private:
    std::unique_ptr<orvo::SerialLine> m_inner;
};
