#pragma once
// Opening and configuring the radio's port, the same way for the clone transfer and the test mode.

#include "core/link/serial_line.h"
#include "core/message/message.h"

#include <cstddef>
#include <string>

namespace orvo {

// Driver queue sizes, in bytes.
constexpr std::size_t kInputQueueSize = 1024;
constexpr std::size_t kOutputQueueSize = 512;

// The clone transfer's time-outs: a one-byte read waits at most 250 ms, a 12-byte read 800 ms.
constexpr LineTimeouts kCloneTimeouts{50, 50, 200, 50, 50};

// OpenFailed, or OpenFailedBecause with the line's account of the failure when it has one.
Message openFailedMessage(const SerialLine& line);

// Opens `portName` ("COM1".."COM4" or a device path) exclusively on `line`, then sets the queue
// sizes, the given time-outs and 9600 baud, 8 data bits, no parity, 1 stop bit, binary. False
// when the open fails (nothing is open then); the results of the settings are not checked.
bool openRadioPort(SerialLine& line, const std::string& portName, const LineTimeouts& timeouts);

} // namespace orvo
