#include "serial/line_drain.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <termios.h>
#endif

namespace orvo {

void drainLine(long long handle)
{
#ifdef Q_OS_WIN
    Q_UNUSED(handle); // WriteFile on a port without overlapped I/O returns once the bytes are out
#else
    if (handle >= 0)
        ::tcdrain(static_cast<int>(handle));
#endif
}

} // namespace orvo
