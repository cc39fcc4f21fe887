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

Message openFailedMessage(const SerialLine& line)
{
    if (std::optional<Message> reason = line.openFailure())
        return {MessageKind::OpenFailedBecause, {std::move(*reason)}};
    return MessageKind::OpenFailed;
}

} // namespace orvo
