#include "core/link/port_setup.h"

namespace orvo {

bool openRadioPort(SerialLine& line, const std::string& portName, const LineTimeouts& timeouts)
{
    if (!line.open(portName))
        return false;
    line.setQueueSizes(kInputQueueSize, kOutputQueueSize);
    line.setTimeouts(timeouts);
    line.configure9600_8N1();
    return true;
}

std::string openFailedMessage(const SerialLine& line)
{
    const std::string reason = line.openFailure();
    return reason.empty() ? std::string(kOpenFailedMessage) : kOpenFailedMessage + ("\n" + reason);
}

} // namespace orvo
