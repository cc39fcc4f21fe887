#include "scripted_line.h"

#include <algorithm>
#include <cstdio>

namespace orvo::test {

std::string hexBytes(const std::uint8_t* data, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", data[i]);
        if (i > 0)
            text += ' ';
        text += byte;
    }
    return text;
}

bool ScriptedLine::open(const std::string& name)
{
    trace.push_back("open " + name);
    m_open = openSucceeds;
    return m_open;
}

void ScriptedLine::close()
{
    trace.push_back("close");
    m_open = false;
}

void ScriptedLine::setQueueSizes(std::size_t input, std::size_t output)
{
    trace.push_back("queues " + std::to_string(input) + " " + std::to_string(output));
}

void ScriptedLine::setTimeouts(const LineTimeouts& t)
{
    trace.push_back("timeouts " + std::to_string(t.interval) + " " +
                    std::to_string(t.totalMultiplier) + " " + std::to_string(t.totalConstant) +
                    " " + std::to_string(t.writeMultiplier) + " " +
                    std::to_string(t.writeConstant));
}

long ScriptedLine::write(const std::uint8_t* data, std::size_t n)
{
    trace.push_back("write " + hexBytes(data, n));
    return m_open ? static_cast<long>(n) : -1;
}

long ScriptedLine::read(std::uint8_t* data, std::size_t n)
{
    trace.push_back("read " + std::to_string(n));
    if (!m_open)
        return -1;
    if (replies.empty())
        return 0;
    Reply r = std::move(replies.front());
    replies.pop_front();
    if (r.fails)
        return -1;
    const std::size_t count = std::min(n, r.bytes.size());
    std::copy_n(r.bytes.begin(), count, data);
    return static_cast<long>(count);
}

std::vector<std::string> ScriptedLine::writes() const
{
    std::vector<std::string> result;
    for (const std::string& op : trace) {
        if (op.rfind("write ", 0) == 0)
            result.push_back(op.substr(6));
    }
    return result;
}

} // namespace orvo::test
