#include "serial/port_lock.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace orvo {

namespace {

constexpr std::chrono::seconds kStaleAfter{30};

// The first `limit` bytes of a small file, empty when it cannot be read.
std::string fileStart(const char* path, std::size_t limit)
{
    std::string text(limit, '\0');
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const ssize_t got = ::read(fd, text.data(), limit);
    ::close(fd);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string hostName()
{
    utsname names{};
    return ::uname(&names) == 0 ? std::string(names.nodename) : std::string();
}

std::string machineId()
{
    for (const char* path : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
        if (std::string id = fileStart(path, 32); id.size() == 32)
            return id;
    }
    return {};
}

std::string bootId()
{
    return fileStart("/proc/sys/kernel/random/boot_id", 36);
}

// The file name of the program a process runs, empty when the system does not say.
std::string programOf(long pid)
{
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
        return {};
    target.resize(static_cast<std::size_t>(length));
    return target.substr(target.rfind('/') + 1);
}

std::string lockFolder(const std::string& fileName)
{
    for (const char* folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        if (::access(folder, R_OK) != 0)
            continue;
        if (::access((std::string(folder) + fileName).c_str(), F_OK) == 0 ||
            ::access(folder, W_OK) == 0)
            return folder;
    }
    return {};
}

std::string lockFileName(const std::string& device)
{
    std::string name = device.starts_with("/dev/") ? device.substr(5) : device;
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return "/LCK.." + name;
}

// The lines of a lock file: process id, program, host, machine id, boot id.
std::vector<std::string> lockLines(const std::string& path)
{
    std::vector<std::string> lines;
    const std::string text = fileStart(path.c_str(), 4096);
    std::size_t from = 0;
    while (lines.size() < 5) {
        const std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    lines.resize(5);
    return lines;
}

bool holderIsGone(const std::vector<std::string>& lines)
{
    char* end = nullptr;
    const long pid = std::strtol(lines[0].c_str(), &end, 10);
    if (lines[0].empty() || *end != '\0' || pid <= 0)
        return false;
    const bool sameMachine = (lines[2].empty() || lines[2] == hostName()) &&
                             (lines[3].empty() || lines[3] == machineId());
    if (!sameMachine)
        return false;
    if (!lines[4].empty() && lines[4] != bootId())
        return true;
    if (::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH)
        return true;
    const std::string program = programOf(pid);
    return !program.empty() && program != lines[1].substr(lines[1].rfind('/') + 1);
}

bool isOld(const std::string& path)
{
    struct stat info{};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    const auto age = std::chrono::system_clock::now() -
                     std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec);
    return age > kStaleAfter || age < -kStaleAfter;
}

// Removes a stale lock file unless someone holds it: the flock() that every holder keeps tells.
// The file removed is the one locked, not one another program made there meanwhile.
bool removeStaleLock(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    bool removed = false;
    struct stat locked{};
    struct stat current{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 &&
        ::stat(path.c_str(), &current) == 0 && locked.st_ino == current.st_ino &&
        locked.st_dev == current.st_dev)
        removed = ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

} // namespace

PortLock::~PortLock()
{
    release();
}

PortLock::Result PortLock::acquire(const std::string& device)
{
    release();
    const std::string fileName = lockFileName(device);
    const std::string folder = lockFolder(fileName);
    if (folder.empty())
        return Result::NoFolder;
    const std::string path = folder + fileName;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                ::close(fd);
                ::unlink(path.c_str());
                return Result::Refused;
            }
            const std::string pid = std::to_string(::getpid());
            const std::string text = pid + '\n' + programOf(::getpid()) + '\n' + hostName() +
                                     '\n' + machineId() + '\n' + bootId() + '\n';
            if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
                ::unlink(path.c_str());
                ::close(fd);
                return Result::Refused;
            }
            m_fd = fd;
            m_path = path;
            return Result::Locked;
        }
        if (errno != EEXIST)
            return Result::Refused;
        if (!(holderIsGone(lockLines(path)) || isOld(path)) || !removeStaleLock(path))
            return Result::Refused;
    }
    return Result::Refused;
}

void PortLock::release()
{
    if (m_fd < 0)
        return;
    ::unlink(m_path.c_str());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

} // namespace orvo
