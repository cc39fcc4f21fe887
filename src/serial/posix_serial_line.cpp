#include "serial/posix_serial_line.h"

#include "core/link/port_names.h"
#include "serial/line_drain.h"
#include "serial/line_pause.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orvo {

namespace {

using Clock = std::chrono::steady_clock;

// The device path QSerialPort opens for a port name: a name without a folder lies in /dev.
std::string devicePath(const std::string& name)
{
    if (name.starts_with('/') || name.starts_with("./") || name.starts_with("../"))
        return name;
    return "/dev/" + name;
}

// Raw 9600 8N1: no echo, no line editing, no translation, no flow control; reads return at once.
void setRaw9600(termios& settings)
{
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8;
    settings.c_iflag &= ~(PARMRK | INPCK | IXON | IXOFF | IXANY);
    settings.c_iflag |= IGNPAR;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
}

} // namespace

PosixSerialLine::PosixSerialLine(DeviceFor deviceFor) : m_deviceFor(std::move(deviceFor)) {}

PosixSerialLine::~PosixSerialLine()
{
    close();
}

bool PosixSerialLine::open(const std::string& name)
{
    close();
    m_openFailure.reset();
    const std::string path = m_deviceFor(name);
    if (path.empty()) {
        m_openFailure = openFailureReason(name, path, {});
        return false;
    }
    const std::string device = devicePath(path);
    switch (m_lock.acquire(device)) {
    case PortLock::Result::Locked:
        break;
    case PortLock::Result::NoFolder:
        m_openFailure = openFailureReason(name, path, "Permission error while creating lock file");
        return false;
    case PortLock::Result::Refused:
        m_openFailure = openFailureReason(name, path, "Permission error while locking the device");
        return false;
    }
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings{};
    if (fd < 0 || ::ioctl(fd, TIOCEXCL) != 0 || ::tcgetattr(fd, &settings) != 0) {
        m_openFailure = openFailureReason(name, path, std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        m_lock.release();
        return false;
    }
    m_fd = fd;
    m_before = settings;
    setRaw9600(settings);
    ::tcsetattr(m_fd, TCSANOW, &settings);
    m_quickWake = std::make_unique<QuickWake>();
    return true;
}

bool PosixSerialLine::isOpen() const
{
    return m_fd >= 0;
}

void PosixSerialLine::close()
{
    if (m_fd >= 0) {
        ::tcsetattr(m_fd, TCSANOW, &m_before);
        ::ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
        m_fd = -1;
    }
    m_lock.release();
    m_quickWake.reset();
}

void PosixSerialLine::setQueueSizes(std::size_t, std::size_t) {}

void PosixSerialLine::setTimeouts(const LineTimeouts& timeouts)
{
    m_timeouts = timeouts;
}

void PosixSerialLine::configure9600_8N1()
{
    termios settings{};
    if (m_fd >= 0 && ::tcgetattr(m_fd, &settings) == 0) {
        setRaw9600(settings);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
}

void PosixSerialLine::purge()
{
    // Only the input needs discarding: every write has waited until its bytes left (see
    // QtSerialLine::purge).
    if (m_fd >= 0)
        ::tcflush(m_fd, TCIFLUSH);
}

bool PosixSerialLine::waitFor(short events, Clock::time_point until)
{
    pollfd watched{m_fd, events, 0};
    const auto left = std::max(Clock::duration::zero(), until - Clock::now());
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(nanoseconds / 1'000'000'000),
                           static_cast<long>(nanoseconds % 1'000'000'000)};
    const int ready = ::ppoll(&watched, 1, &timeout, nullptr);
    if (ready < 0)
        return errno == EINTR;
    return ready == 0 || (watched.revents & events) != 0 ||
           (watched.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
}

long PosixSerialLine::write(const std::uint8_t* data, std::size_t n)
{
    if (m_fd < 0)
        return -1;
    const auto until = Clock::now() + std::chrono::milliseconds(m_timeouts.writeConstant +
                                                                m_timeouts.writeMultiplier *
                                                                    static_cast<long long>(n));
    std::size_t sent = 0;
    while (sent < n) {
        const ssize_t done = ::write(m_fd, data + sent, n - sent);
        if (done > 0) {
            sent += static_cast<std::size_t>(done);
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EINTR)
            return -1;
        // A write that runs out of time gives up what it could not send, as the driver would.
        if (Clock::now() >= until)
            break;
        if (!waitFor(POLLOUT, until))
            return -1;
    }
    drainLine(m_fd);
    return static_cast<long>(sent);
}

long PosixSerialLine::read(std::uint8_t* data, std::size_t n)
{
    if (m_fd < 0)
        return -1;
    const auto total = Clock::now() + std::chrono::milliseconds(m_timeouts.totalConstant +
                                                                m_timeouts.totalMultiplier *
                                                                    static_cast<long long>(n));
    auto gapEnds = Clock::time_point::max(); // from the last byte received; endless until the first
    bool lastLook = false;
    std::size_t count = 0;
    while (count < n) {
        const ssize_t got = ::read(m_fd, data + count, n - count);
        if (got > 0) {
            count += static_cast<std::size_t>(got);
            gapEnds = Clock::now() + std::chrono::milliseconds(m_timeouts.interval);
            lastLook = false;
            continue;
        }
        // With no byte waiting a raw port reads 0 bytes; a port that is gone says so in poll().
        if (got < 0 && errno != EAGAIN && errno != EINTR)
            return -1;
        if (lastLook)
            break;
        const auto until = std::min(total, gapEnds);
        if (Clock::now() >= until) {
            // A busy machine may have kept this thread away while the bytes came in time; the
            // driver holds them, so they are taken before the read ends.
            lastLook = true;
            continue;
        }
        if (!waitFor(POLLIN, until))
            return -1;
    }
    return static_cast<long>(count);
}

void PosixSerialLine::pause(int milliseconds)
{
    pauseThread(milliseconds);
}

void PosixSerialLine::pauseSince(Clock::time_point since, int milliseconds)
{
    pauseThreadUntil(since + std::chrono::milliseconds(milliseconds));
}

} // namespace orvo
