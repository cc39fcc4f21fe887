#pragma once
// The serial line on QSerialPort. One object serves one thread, the one that made it; reads,
// writes and pauses block that thread (the window's transfers run on the radio worker's).

#include "core/link/serial_line.h"
#include "serial/wake_latency.h"

#include <QSerialPort>

#include <memory>

namespace orvo {

class QtSerialLine final : public SerialLine
{
public:
    // `device`, when not empty, is what every open() opens, whatever name it is given (the
    // device the window resolved for that name).
    explicit QtSerialLine(std::string device = {});
    ~QtSerialLine() override;

    // `name` is "COMn" (mapped by systemPortPath, unless the line was made for a device) or a
    // device path. Exclusive: a port another program holds is refused. The modem lines are left
    // as the driver has them.
    bool open(const std::string& name) override;
    bool isOpen() const override;
    std::optional<Message> openFailure() const override { return m_openFailure; }
    void close() override;

    // The input size bounds what the line keeps unread; the output size has no equivalent here.
    void setQueueSizes(std::size_t input, std::size_t output) override;
    void setTimeouts(const LineTimeouts& timeouts) override;
    void configure9600_8N1() override;
    void purge() override;
    long write(const std::uint8_t* data, std::size_t n) override;
    long read(std::uint8_t* data, std::size_t n) override;
    void pause(int milliseconds) override;
    void pauseSince(std::chrono::steady_clock::time_point since, int milliseconds) override;

private:
    bool deviceFailed() const;

    QSerialPort m_port;
    std::unique_ptr<QuickWake> m_quickWake; // while the port is open
    std::string m_device;
    std::optional<Message> m_openFailure;
    LineTimeouts m_timeouts;
};

// A serial line for the calling thread, opening `device` when one is given (see QtSerialLine).
// The port's notifiers need a Qt application object, which the program makes.
std::unique_ptr<SerialLine> makeSerialLine(const std::string& device = {});

} // namespace orvo
