#pragma once
// The serial line on the POSIX terminal calls, for orvo-cli, which then starts without Qt. It
// opens, locks and sets up a port as QtSerialLine does (the same lock file, the same texts for
// a refusal), so a port the window holds is refused here and the other way round. Reads, writes
// and pauses block the calling thread.

#include "core/link/serial_line.h"
#include "serial/port_lock.h"
#include "serial/wake_latency.h"

#include <functional>
#include <memory>
#include <termios.h>

namespace orvo {

class PosixSerialLine final : public SerialLine
{
public:
    // The device a port name stands for ("COM1" to "/dev/ttyUSB0"), empty when none does.
    using DeviceFor = std::function<std::string(const std::string& name)>;

    explicit PosixSerialLine(DeviceFor deviceFor);
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;
    ~PosixSerialLine() override;

    // `name` is "COMn" or a device path; a name without a folder is one in /dev. Exclusive: a
    // port another program holds is refused. The modem lines are left as the driver has them,
    // and close() puts back the settings the port had.
    bool open(const std::string& name) override;
    bool isOpen() const override;
    std::optional<Message> openFailure() const override { return m_openFailure; }
    void close() override;

    // The driver's queues are what they are; this line keeps nothing of its own.
    void setQueueSizes(std::size_t input, std::size_t output) override;
    void setTimeouts(const LineTimeouts& timeouts) override;
    void configure9600_8N1() override;
    void purge() override;
    long write(const std::uint8_t* data, std::size_t n) override;
    long read(std::uint8_t* data, std::size_t n) override;
    void pause(int milliseconds) override;
    void pauseSince(std::chrono::steady_clock::time_point since, int milliseconds) override;

private:
    // Waits until the port can be read (POLLIN) or written (POLLOUT) or `until` has passed;
    // false when the device failed.
    bool waitFor(short events, std::chrono::steady_clock::time_point until);

    DeviceFor m_deviceFor;
    int m_fd = -1;
    termios m_before{};
    PortLock m_lock;
    std::unique_ptr<QuickWake> m_quickWake; // while the port is open
    std::optional<Message> m_openFailure;
    LineTimeouts m_timeouts;
};

} // namespace orvo
