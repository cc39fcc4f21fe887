#include "recording_line.h"

bool RecordingLine::open(const std::string& name)
{
    const bool ok = m_inner->open(name);
    events.push_back({LineEvent::Open, {}, ok ? 1 : 0});
    return ok;
}

void RecordingLine::close()
{
    m_inner->close();
    events.push_back({LineEvent::Close, {}});
}

void RecordingLine::purge()
{
    m_inner->purge();
    events.push_back({LineEvent::Purge, {}});
}

long RecordingLine::write(const std::uint8_t* data, std::size_t n)
{
    std::vector<std::uint8_t> bytes(data, data + n);
    long result = -1;
    if (failWrites > 0 && n == 1 && data[0] == failByte)
        --failWrites;
    else
        result = m_inner->write(data, n);
    events.push_back({LineEvent::Write, std::move(bytes), result});
    return result;
}

long RecordingLine::read(std::uint8_t* data, std::size_t n)
{
    const long result = m_inner->read(data, n);
    LineEvent event{LineEvent::Read, {}, result, n};
    if (result > 0)
        event.bytes.assign(data, data + result);
    events.push_back(std::move(event));
    return result;
}

void RecordingLine::pause(int milliseconds)
{
    m_inner->pause(milliseconds);
    LineEvent event{LineEvent::Pause, {}};
    event.ms = milliseconds;
    events.push_back(std::move(event));
}

std::vector<std::vector<std::uint8_t>> RecordingLine::writes() const
{
    std::vector<std::vector<std::uint8_t>> out;
    for (const LineEvent& e : events)
        if (e.kind == LineEvent::Write)
            out.push_back(e.bytes);
    return out;
}

std::size_t RecordingLine::count(LineEvent::Kind kind) const
{
    std::size_t n = 0;
    for (const LineEvent& e : events)
        n += e.kind == kind ? 1 : 0;
    return n;
}
