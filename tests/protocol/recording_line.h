#pragma once
// The real serial line with every call recorded in order, pauses included, and the hosts of both
// protocols writing their waiting cycles and messages into the same record: what the program did
// on the wire, step by step, for comparison with the course the protocol prescribes.

#include "core/link/clone_session.h"
#include "core/testmode/testmode_session.h"
#include "serial/qt_serial_line.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// "02 50 52"
inline std::string hexBytes(const std::uint8_t* data, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char two[4];
        std::snprintf(two, sizeof two, i ? " %02X" : "%02X", data[i]);
        text += two;
    }
    return text;
}

// Steps as "open", "timeouts 50 50 200", "purge", "w 02 50", "r 12", "pause 10", "pause 10 after
// r 12" (counted from the end of that step), "close"; the hosts add "cycle" and "msg TEXT".
using Steps = std::vector<std::string>;

class RecordingLine : public orvo::SerialLine
{
public:
    std::unique_ptr<SerialLine> inner = orvo::makeSerialLine();
    Steps steps;
    int failingAcks = 0; // the next one-byte writes of an ACK fail and send nothing

    bool open(const std::string& name) override { return add("open"), inner->open(name); }
    bool isOpen() const override { return inner->isOpen(); }
    std::optional<orvo::Message> openFailure() const override { return inner->openFailure(); }
    void close() override { add("close"), inner->close(); }
    void setQueueSizes(std::size_t in, std::size_t out) override
    {
        add("queues " + std::to_string(in) + " " + std::to_string(out));
        inner->setQueueSizes(in, out);
    }
    void setTimeouts(const orvo::LineTimeouts& t) override
    {
        add("timeouts " + std::to_string(t.interval) + " " + std::to_string(t.totalMultiplier) +
            " " + std::to_string(t.totalConstant));
        inner->setTimeouts(t);
    }
    void configure9600_8N1() override { add("9600 8N1"), inner->configure9600_8N1(); }
    void purge() override { add("purge"), inner->purge(); }
    void pause(int ms) override { add("pause " + std::to_string(ms)), inner->pause(ms); }
    void pauseSince(std::chrono::steady_clock::time_point since, int ms) override
    {
        std::string after;
        for (const auto& [began, step] : m_lineSteps) {
            if (began > since)
                break;
            after = step;
        }
        add("pause " + std::to_string(ms) + " after " + after);
        inner->pauseSince(since, ms);
    }
    long read(std::uint8_t* data, std::size_t n) override
    {
        return add("r " + std::to_string(n)), inner->read(data, n);
    }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        add("w " + hexBytes(data, n));
        if (n == 1 && data[0] == 0x06 && failingAcks > 0)
            return --failingAcks, -1;
        return inner->write(data, n);
    }

private:
    void add(std::string step)
    {
        m_lineSteps.emplace_back(std::chrono::steady_clock::now(), step);
        steps.push_back(std::move(step));
    }
    // The line's own steps with the moment each began (the hosts' steps are not among them).
    std::vector<std::pair<std::chrono::steady_clock::time_point, std::string>> m_lineSteps;
};

// Where two records part: empty when equal, else the first differing step with what led to it.
inline std::string firstDifference(const Steps& actual, const Steps& expected)
{
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    if (i == actual.size() && i == expected.size())
        return {};
    std::string text = "step " + std::to_string(i) + ": expected \"" +
                       (i < expected.size() ? expected[i] : "(end)") + "\", got \"" +
                       (i < actual.size() ? actual[i] : "(end)") + "\" after";
    for (std::size_t j = i > 6 ? i - 6 : 0; j < i; ++j)
        text += " | " + actual[j];
    return text;
}

// Builds the course a protocol prescribes: steps, and steps repeated.
struct Course
{
    Steps steps;
    Course& operator()(std::initializer_list<std::string> add, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            steps.insert(steps.end(), add);
        return *this;
    }
};
