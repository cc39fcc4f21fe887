#pragma once
// QuickWake: while it lives, asks the system to bring its processors out of idle without delay.
// A transfer waits hundreds of times for a byte or for the end of a short pause, and a processor
// that has dropped into a deep idle state takes tens to hundreds of microseconds to come back
// each time: on Linux that is some 2 % of a write. Where the system refuses the request (Linux
// keeps /dev/cpu_dma_latency for root) nothing changes.

namespace orvo {

class QuickWake
{
public:
    QuickWake();
    ~QuickWake();
    QuickWake(const QuickWake&) = delete;
    QuickWake& operator=(const QuickWake&) = delete;

private:
    int m_handle = -1;
};

} // namespace orvo
