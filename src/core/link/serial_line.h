#pragma once
// The serial line as the wire protocols see it: open by name, configure, purge, blocking reads and
// writes under time-outs, pause. Plain C++; the Qt implementation and the test doubles live
// elsewhere.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/message/message.h"

namespace orvo {

// Read time-outs in milliseconds. A read of n bytes ends when more than `interval` ms pass between
// two bytes, or at the latest after `totalConstant + totalMultiplier * n` ms. A time-out is not an
// error: the read reports the bytes that did arrive, possibly none.
struct LineTimeouts
{
    int interval = 50;
    int totalMultiplier = 50;
    int totalConstant = 200;
    int writeMultiplier = 50;
    int writeConstant = 50;
};

// One serial port, opened for one transfer or one test-mode exchange and closed at its end.
class SerialLine
{
public:
    virtual ~SerialLine() = default;

    // Opens the port exclusively for reading and writing. `name` is "COM1".."COM4" or a device
    // path. False when the port is missing, in use or refused.
    virtual bool open(const std::string& name) = 0;
    virtual bool isOpen() const = 0;
    // After a failed open: the device and the system's reason ("/dev/ttyUSB0: Permission
    // denied", "COM3 has no device"); none when the line cannot tell.
    virtual std::optional<Message> openFailure() const { return std::nullopt; }
    virtual void close() = 0;

    // Driver queue sizes, time-outs and 9600 8N1 binary. Their results are not relied on: a port
    // that refuses a setting is used with whatever it has.
    virtual void setQueueSizes(std::size_t input, std::size_t output) = 0;
    virtual void setTimeouts(const LineTimeouts& timeouts) = 0;
    virtual void configure9600_8N1() = 0;

    // Discards whatever waits in both directions. Writes drain before they return, so in practice
    // this is what has arrived and not been read.
    virtual void purge() = 0;

    // Blocking write; returns when the bytes have left (drained), with the count written, or -1
    // when the device failed.
    virtual long write(const std::uint8_t* data, std::size_t n) = 0;

    // Blocking read of up to n bytes under the time-outs; returns the count read (0 on a silent
    // line), or -1 when the device failed.
    virtual long read(std::uint8_t* data, std::size_t n) = 0;

    // Pauses the calling thread.
    virtual void pause(int milliseconds) = 0;

    // Pauses the calling thread until `milliseconds` after `since`, a moment the caller took
    // from std::chrono::steady_clock; returns at once when that has passed. Lines that pause by
    // whole milliseconds round the rest up.
    virtual void pauseSince(std::chrono::steady_clock::time_point since, int milliseconds)
    {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            since + std::chrono::milliseconds(milliseconds) - std::chrono::steady_clock::now());
        if (left.count() > 0)
            pause(static_cast<int>(left.count()));
    }
};

} // namespace orvo
