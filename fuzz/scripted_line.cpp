#include "scripted_line.h"

#include <algorithm>

namespace orvo::fuzz {

std::uint8_t Script::byte(std::uint8_t fallback)
{
    return usedUp() ? fallback : m_data[m_pos++];
}

std::size_t Script::take(std::uint8_t* out, std::size_t n)
{
    const std::size_t count = std::min(n, m_size - std::min(m_pos, m_size));
    std::copy(m_data + m_pos, m_data + m_pos + count, out);
    m_pos += count;
    return count;
}

std::string Script::text(std::size_t maxLength)
{
    const std::size_t length = std::min<std::size_t>(byte(), maxLength);
    std::string t(length, '\0');
    t.resize(take(reinterpret_cast<std::uint8_t*>(t.data()), length));
    return t;
}

ScriptedLine::ScriptedLine(Script& script, bool openFails, int writeFailEvery)
    : m_script(script), m_openFails(openFails), m_writeFailEvery(writeFailEvery)
{
}

void ScriptedLine::step()
{
    FUZZ_CHECK(++m_steps <= kStepLimit, "a run ends within a bounded number of steps");
}

void ScriptedLine::requireOpen(const char* what) const
{
    FUZZ_CHECK(m_open, what);
}

bool ScriptedLine::open(const std::string& name)
{
    step();
    FUZZ_CHECK(!m_open, "a port is opened only when it is closed");
    FUZZ_CHECK(!name.empty(), "a port has a name");
    if (m_openFails)
        return false;
    m_open = true;
    ++m_opens;
    return true;
}

void ScriptedLine::close()
{
    step();
    m_open = false;
}

void ScriptedLine::setQueueSizes(std::size_t, std::size_t)
{
    step();
    requireOpen("queue sizes are set on an open port");
}

void ScriptedLine::setTimeouts(const LineTimeouts& timeouts)
{
    step();
    requireOpen("time-outs are set on an open port");
    FUZZ_CHECK(timeouts.interval >= 0 && timeouts.totalConstant >= 0 &&
                   timeouts.totalMultiplier >= 0,
               "time-outs are not negative");
}

void ScriptedLine::configure9600_8N1()
{
    step();
    requireOpen("the line is configured when open");
}

void ScriptedLine::purge()
{
    step();
    requireOpen("only an open port is purged");
}

long ScriptedLine::write(const std::uint8_t* data, std::size_t n)
{
    step();
    requireOpen("only an open port is written");
    FUZZ_CHECK(n > 0 && n <= 64, "writes are small");
    ++m_writeCount;
    if (m_writeFailEvery > 0 && m_writeCount % m_writeFailEvery == 0) {
        ++m_failedWrites;
        return -1;
    }
    m_writes.emplace_back(data, data + n);
    return static_cast<long>(n);
}

long ScriptedLine::read(std::uint8_t* data, std::size_t n)
{
    step();
    requireOpen("only an open port is read");
    FUZZ_CHECK(n > 0 && n <= 64, "reads are small");
    Read entry{n, 0, {}};
    if (++m_reads <= kReadBudget && !m_script.usedUp()) {
        const std::uint8_t count = m_script.byte();
        if (count == 0xFF) {
            entry.result = -1;
        } else {
            const std::size_t got = m_script.take(data, std::min<std::size_t>(count, n));
            entry.result = static_cast<long>(got);
            entry.bytes.assign(data, data + got);
        }
    }
    m_readLog.push_back(std::move(entry));
    return m_readLog.back().result;
}

void ScriptedLine::pause(int milliseconds)
{
    step();
    FUZZ_CHECK(milliseconds >= 0 && milliseconds <= 10'000, "pauses are short");
}

} // namespace orvo::fuzz
