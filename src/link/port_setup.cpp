#include "link/port_setup.h"

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

} // namespace orvo
