#include "serial/wake_latency.h"

#if defined(__linux__)
#include <cstdint>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvo {

QuickWake::QuickWake()
{
#if defined(__linux__)
    // The kernel's PM QoS: a latency of 0 us holds while the file stays open.
    m_handle = ::open("/dev/cpu_dma_latency", O_WRONLY | O_CLOEXEC);
    const std::int32_t microseconds = 0;
    if (m_handle >= 0 && ::write(m_handle, &microseconds, sizeof microseconds) != sizeof microseconds) {
        ::close(m_handle);
        m_handle = -1;
    }
#endif
}

QuickWake::~QuickWake()
{
#if defined(__linux__)
    if (m_handle >= 0)
        ::close(m_handle);
#endif
}

} // namespace orvo
