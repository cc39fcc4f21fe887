#include "pty_posix.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace orvo::sim {

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_dump = 0;

void onStop(int)
{
    g_stop = 1;
}
void onDump(int)
{
    g_dump = 1;
}

} // namespace

PtyLine::~PtyLine()
{
    hangUp();
}

bool PtyLine::open(std::string& error)
{
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        m_master = m_slave = -1;
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_path = name;
    return true;
}

long PtyLine::readSome(std::uint8_t* data, std::size_t max, int timeoutMs)
{
    if (m_master < 0)
        return -1;
    pollfd p{m_master, POLLIN, 0};
    const int ready = ::poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
    if (ready < 0)
        return errno == EINTR ? 0 : -1;
    if (ready == 0)
        return 0;
    const ssize_t got = ::read(m_master, data, max);
    if (got < 0)
        return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    return got == 0 ? -1 : static_cast<long>(got);
}

bool PtyLine::writeAll(const std::uint8_t* data, std::size_t n)
{
    while (n > 0 && m_master >= 0) {
        const ssize_t put = ::write(m_master, data, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd p{m_master, POLLOUT, 0};
                ::poll(&p, 1, 10);
                continue;
            }
            return false;
        }
        data += put;
        n -= static_cast<std::size_t>(put);
    }
    return n == 0;
}

void PtyLine::hangUp()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_master = m_slave = -1;
}

void installSignalHandlers()
{
    struct sigaction stop
    {
    };
    stop.sa_handler = onStop;
    sigemptyset(&stop.sa_mask);
    ::sigaction(SIGINT, &stop, nullptr);
    ::sigaction(SIGTERM, &stop, nullptr);
    struct sigaction dump
    {
    };
    dump.sa_handler = onDump;
    sigemptyset(&dump.sa_mask);
    ::sigaction(SIGUSR1, &dump, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool stopRequested()
{
    return g_stop != 0;
}

bool takeDumpRequest()
{
    if (!g_dump)
        return false;
    g_dump = 0;
    return true;
}

} // namespace orvo::sim
