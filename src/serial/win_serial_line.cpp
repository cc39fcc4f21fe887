#include "serial/win_serial_line.h"

#include "core/link/port_names.h"
#include "core/platform/win_error_text.h"

#include <algorithm>
#include <thread>

#include <windows.h>

namespace orvo {

namespace {

HANDLE handleOf(void* h)
{
    return static_cast<HANDLE>(h);
}

std::wstring wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string systemReason(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return "Permission denied";
    case ERROR_SHARING_VIOLATION:
        return "Device or resource busy";
    default:
        break;
    }
    return windowsErrorText(error);
}

// "COMn" of a device-space name "\\.\COMn", else the name itself.
std::string withoutDeviceSpace(const std::string& name)
{
    return name.starts_with("\\\\.\\") ? name.substr(4) : name;
}

} // namespace

std::string windowsPortDevice(const std::string& name)
{
    return comPortNumber(name) != 0 ? "\\\\.\\" + name : name;
}

bool windowsPortExists(const std::string& name)
{
    wchar_t target[1024];
    return QueryDosDeviceW(wide(withoutDeviceSpace(name)).c_str(), target, 1024) != 0;
}

std::vector<std::string> windowsPorts()
{
    std::vector<wchar_t> names(65536);
    DWORD n = 0;
    while ((n = QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()))) == 0 &&
           GetLastError() == ERROR_INSUFFICIENT_BUFFER && names.size() < (1u << 24))
        names.resize(names.size() * 2);
    std::vector<std::string> ports;
    for (const wchar_t* at = names.data(); at < names.data() + n && *at; at += wcslen(at) + 1) {
        std::string name;
        for (const wchar_t* c = at; *c; ++c)
            name += *c < 0x80 ? static_cast<char>(*c) : '?';
        if (comPortNumber(name) != 0)
            ports.push_back(name);
    }
    std::sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
        return comPortNumber(a) < comPortNumber(b);
    });
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

WinSerialLine::~WinSerialLine()
{
    close();
}

bool WinSerialLine::open(const std::string& name)
{
    close();
    m_openFailure.reset();
    const std::string device = windowsPortDevice(name);
    const HANDLE h = CreateFileW(wide(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        m_openFailure =
            openFailureReason(name, missing && comPortNumber(name) != 0 ? std::string() : device,
                              systemReason(error));
        return false;
    }
    m_handle = h;
    // The protocols pause for single milliseconds: the system's timer is asked to tick that
    // finely while the port is open.
    m_fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    return true;
}

bool WinSerialLine::isOpen() const
{
    return m_handle != nullptr;
}

void WinSerialLine::close()
{
    if (!m_handle)
        return;
    CloseHandle(handleOf(m_handle));
    m_handle = nullptr;
    if (m_fineTimer)
        timeEndPeriod(1);
    m_fineTimer = false;
}

void WinSerialLine::setQueueSizes(std::size_t input, std::size_t output)
{
    if (m_handle)
        SetupComm(handleOf(m_handle), static_cast<DWORD>(input), static_cast<DWORD>(output));
}

void WinSerialLine::setTimeouts(const LineTimeouts& timeouts)
{
    if (!m_handle)
        return;
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = static_cast<DWORD>(timeouts.interval);
    t.ReadTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.totalMultiplier);
    t.ReadTotalTimeoutConstant = static_cast<DWORD>(timeouts.totalConstant);
    t.WriteTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.writeMultiplier);
    t.WriteTotalTimeoutConstant = static_cast<DWORD>(timeouts.writeConstant);
    SetCommTimeouts(handleOf(m_handle), &t);
}

void WinSerialLine::configure9600_8N1()
{
    if (!m_handle)
        return;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handleOf(m_handle), &dcb))
        return;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    // Binary data both ways: no flow control that would take a byte for a signal.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    SetCommState(handleOf(m_handle), &dcb);
}

void WinSerialLine::purge()
{
    // Only the input needs discarding: every write has waited until its bytes left.
    if (m_handle)
        PurgeComm(handleOf(m_handle), PURGE_RXABORT | PURGE_RXCLEAR);
}

long WinSerialLine::write(const std::uint8_t* data, std::size_t n)
{
    if (!m_handle)
        return -1;
    DWORD written = 0;
    if (!WriteFile(handleOf(m_handle), data, static_cast<DWORD>(n), &written, nullptr))
        return -1;
    // WriteFile returns once the driver holds the bytes; this waits until they have left it.
    FlushFileBuffers(handleOf(m_handle));
    return static_cast<long>(written);
}

long WinSerialLine::read(std::uint8_t* data, std::size_t n)
{
    if (!m_handle)
        return -1;
    DWORD got = 0;
    if (!ReadFile(handleOf(m_handle), data, static_cast<DWORD>(n), &got, nullptr))
        return -1;
    return static_cast<long>(got);
}

void WinSerialLine::pause(int milliseconds)
{
    if (milliseconds > 0)
        pauseSince(std::chrono::steady_clock::now(), milliseconds);
}

void WinSerialLine::pauseSince(std::chrono::steady_clock::time_point since, int milliseconds)
{
    // Sleeps until about a millisecond before, as a sleep may end a tick late, and waits out the
    // rest awake.
    const auto due = since + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            due - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        if (left.count() >= 2)
            Sleep(static_cast<DWORD>(left.count() - 1));
        else
            std::this_thread::yield();
    }
    while (std::chrono::steady_clock::now() < due)
        std::this_thread::yield();
}

} // namespace orvo
