#pragma once
// The serial line on the Win32 communications calls, for the Windows build of orvo-cli. Reads,
// writes and pauses block the calling thread.

#include "core/link/serial_line.h"

#include <string>
#include <vector>

namespace orvo {

class WinSerialLine final : public SerialLine
{
public:
    WinSerialLine() = default;
    WinSerialLine(const WinSerialLine&) = delete;
    WinSerialLine& operator=(const WinSerialLine&) = delete;
    ~WinSerialLine() override;

    // `name` is "COMn", "\\.\COMn" or another device name. Exclusive, as the system opens every
    // port. The modem lines are left as the driver has them.
    bool open(const std::string& name) override;
    bool isOpen() const override;
    std::optional<Message> openFailure() const override { return m_openFailure; }
    void close() override;

    void setQueueSizes(std::size_t input, std::size_t output) override;
    // Handed to the driver as they are: the interface's time-outs are the system's own.
    void setTimeouts(const LineTimeouts& timeouts) override;
    void configure9600_8N1() override;
    void purge() override;
    long write(const std::uint8_t* data, std::size_t n) override;
    long read(std::uint8_t* data, std::size_t n) override;
    void pause(int milliseconds) override;
    void pauseSince(std::chrono::steady_clock::time_point since, int milliseconds) override;

private:
    void* m_handle = nullptr;
    bool m_fineTimer = false;
    std::optional<Message> m_openFailure;
};

// The device to open for a port name: "\\.\COMn" for "COMn", any other name as it is.
std::string windowsPortDevice(const std::string& name);

// Whether the system knows a device by the name "COMn" now.
bool windowsPortExists(const std::string& name);

// The serial ports the system lists now ("COM1", "COM7", ...), by number.
std::vector<std::string> windowsPorts();

} // namespace orvo
