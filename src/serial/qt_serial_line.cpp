#include "serial/qt_serial_line.h"

#include "core/link/port_names.h"
#include "serial/line_drain.h"
#include "serial/line_pause.h"
#include "serial/system_ports.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

namespace orvo {

QtSerialLine::QtSerialLine(std::string device) : m_device(std::move(device)) {}

QtSerialLine::~QtSerialLine()
{
    close();
}

bool QtSerialLine::open(const std::string& name)
{
    close();
    m_openFailure.reset();
    const std::string path = m_device.empty() ? systemPortPath(name) : m_device;
    if (path.empty()) {
        m_openFailure = openFailureReason(name, path, {});
        return false;
    }
    m_port.setPortName(QString::fromStdString(path));
    m_port.clearError();
    if (m_port.open(QIODevice::ReadWrite)) {
        m_quickWake = std::make_unique<QuickWake>();
        return true;
    }
    m_openFailure = openFailureReason(name, path, m_port.errorString().toStdString());
    return false;
}

bool QtSerialLine::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialLine::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_quickWake.reset();
}

void QtSerialLine::setQueueSizes(std::size_t input, std::size_t)
{
    m_port.setReadBufferSize(static_cast<qint64>(input));
}

void QtSerialLine::setTimeouts(const LineTimeouts& timeouts)
{
    m_timeouts = timeouts;
}

void QtSerialLine::configure9600_8N1()
{
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.clearError();
}

void QtSerialLine::purge()
{
    // Only the input needs discarding: every write has waited until its bytes left, so nothing of
    // ours waits to go out. Flushing the output anyway would, on a pseudo-terminal, throw away
    // bytes the far side has not taken in yet.
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

bool QtSerialLine::deviceFailed() const
{
    switch (m_port.error()) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
        return false;
    default:
        return true;
    }
}

long QtSerialLine::write(const std::uint8_t* data, std::size_t n)
{
    if (!m_port.isOpen())
        return -1;
    m_port.clearError();
    const qint64 queued = m_port.write(reinterpret_cast<const char*>(data), static_cast<qint64>(n));
    if (queued < 0)
        return -1;
    QDeadlineTimer deadline(m_timeouts.writeConstant +
                            m_timeouts.writeMultiplier * static_cast<qint64>(n));
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port.waitForBytesWritten(
                static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
            if (deviceFailed() || !m_port.isOpen())
                return -1;
        }
    }
    const qint64 unsent = m_port.bytesToWrite();
    if (unsent > 0) {
        // A write that ran out of time gives up what it could not send, as the driver would.
        m_port.clear(QSerialPort::Output);
    }
    drainLine(static_cast<long long>(m_port.handle()));
    return static_cast<long>(queued - unsent);
}

long QtSerialLine::read(std::uint8_t* data, std::size_t n)
{
    if (!m_port.isOpen())
        return -1;
    m_port.clearError();
    QDeadlineTimer total(m_timeouts.totalConstant +
                         m_timeouts.totalMultiplier * static_cast<qint64>(n));
    QDeadlineTimer gap; // runs from the last byte received; endless until the first
    gap.setRemainingTime(-1);
    bool lastLook = false;
    std::size_t count = 0;
    while (count < n) {
        const qint64 available = m_port.bytesAvailable();
        if (available > 0) {
            const qint64 got =
                m_port.read(reinterpret_cast<char*>(data + count),
                            std::min<qint64>(available, static_cast<qint64>(n - count)));
            if (got < 0)
                return -1;
            count += static_cast<std::size_t>(got);
            gap.setRemainingTime(m_timeouts.interval);
            lastLook = false;
            continue;
        }
        if (lastLook)
            break;
        qint64 left = std::min(total.remainingTime(),
                               gap.isForever() ? total.remainingTime() : gap.remainingTime());
        if (left <= 0) {
            // A busy machine may have kept this thread away while the bytes came in time; the
            // driver holds them, so they are taken before the read ends. The time-outs count
            // the radio's pauses, not this thread's.
            lastLook = true;
            left = 0;
        }
        if (!m_port.waitForReadyRead(static_cast<int>(left))) {
            if (deviceFailed() || !m_port.isOpen())
                return -1;
        }
    }
    return static_cast<long>(count);
}

void QtSerialLine::pause(int milliseconds)
{
    pauseThread(milliseconds);
}

void QtSerialLine::pauseSince(std::chrono::steady_clock::time_point since, int milliseconds)
{
    pauseThreadUntil(since + std::chrono::milliseconds(milliseconds));
}

std::unique_ptr<SerialLine> makeSerialLine(const std::string& device)
{
    return std::make_unique<QtSerialLine>(device);
}

} // namespace orvo
