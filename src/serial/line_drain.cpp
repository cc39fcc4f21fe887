#include "serial/line_drain.h"

#ifndef _WIN32
#include <termios.h>
#endif

namespace orvo {

void drainLine(long long handle)
{
#ifdef _WIN32
    (void)handle; // WriteFile on a port without overlapped I/O returns once the bytes are out
#else
    if (handle >= 0)
        ::tcdrain(static_cast<int>(handle));
#endif
}

} // namespace orvo
