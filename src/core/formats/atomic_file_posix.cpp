// POSIX (and, where present, Linux) file calls: open without blocking, fstat, O_TMPFILE, linkat,
// fsync, rename.
#include "core/formats/atomic_file.h"

#include "core/image/escaped_text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvo {

namespace {

std::string quoted(const std::string& path)
{
    return quotedText(path);
}

Message failure(MessageKind kind, const std::string& path, int error)
{
    return {kind, {quoted(path), std::strerror(error)}};
}

Message failure(const std::string& path, int error)
{
    return failure(MessageKind::CannotWrite, path, error);
}

// Why a file that is not a regular file is refused, naming what it is where there is a word.
Message notRegular(bool writing, const std::string& path, mode_t mode)
{
    const MessageKind kind = S_ISDIR(mode)                    ? MessageKind::Folder
                             : S_ISFIFO(mode)                 ? MessageKind::NamedPipe
                             : S_ISCHR(mode) || S_ISBLK(mode) ? MessageKind::Device
                             : S_ISSOCK(mode)                 ? MessageKind::Socket
                                                              : MessageKind::Count;
    if (kind == MessageKind::Count)
        return {writing ? MessageKind::WriteOddFile : MessageKind::OpenOddFile, {quoted(path)}};
    return {writing ? MessageKind::WriteNotRegular : MessageKind::OpenNotRegular,
            {quoted(path), Message(kind)}};
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string tempPrefix(const std::string& target)
{
    const std::string folder = folderOf(target);
    return (folder == "/" ? "" : folder) + "/." + baseOf(target) + ".tmp-";
}

// The path the kernel reached through `fd`, links resolved.
std::string reachedPath(int fd, const std::string& fallback)
{
#ifdef __linux__
    char buffer[PATH_MAX + 1];
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(self.c_str(), buffer, PATH_MAX);
    if (n > 0 && buffer[0] == '/') {
        buffer[n] = '\0';
        return buffer;
    }
#else
    (void)fd;
#endif
    if (char* real = ::realpath(fallback.c_str(), nullptr)) {
        std::string resolved(real);
        std::free(real);
        return resolved;
    }
    return fallback;
}

// Removes temporary files that a killed save to `target` left: ".NAME.tmp-PID-N" of a process
// that no longer runs.
void removeLeftovers(const std::string& target)
{
    const std::string prefix = "." + baseOf(target) + ".tmp-";
    DIR* dir = ::opendir(folderOf(target).c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!name.starts_with(prefix))
            continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || *end != '-' || pid == ::getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        const std::string leftover = tempPrefix(target) + (name.c_str() + prefix.size());
        struct stat st
        {
        };
        if (::lstat(leftover.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(leftover.c_str());
    }
    ::closedir(dir);
}

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Gives the unnamed file `fd` the name `name`; never replaces anything there. 0 or an errno.
int giveName(int fd, const std::string& name)
{
#ifdef O_TMPFILE
    if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno == EEXIST)
        return EEXIST;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    return errno;
#else
    (void)fd;
    (void)name;
    return ENOTSUP;
#endif
}

// Reaching a file through its links without opening it: O_PATH where there is one; elsewhere a
// non-blocking open, so that a pipe is not waited for.
#ifdef O_PATH
constexpr int kReachFlags = O_PATH | O_CLOEXEC;
#else
constexpr int kReachFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#endif

constexpr int kNamingFailed = -1;

// Writes `data` into a new file in the folder of `target`, flushes it and gives it the name
// `target`, replacing what is there. `mode` is the replaced file's permissions, -1 for a new
// file. 0 or an errno; kNamingFailed when an unnamed file was written but could not be named.
int writeAndName(const std::string& target, int mode, std::string_view data, bool unnamedAllowed)
{
    static std::atomic<unsigned> counter{0};
    const auto freshName = [&] {
        return tempPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    };
    const bool exists = mode >= 0;

    // An unnamed file where the system has them: a kill before it is named leaves nothing. Else
    // a fresh name in the same folder, never following a link planted there. Either way the file
    // lies in the target's folder, so that the rename never crosses file systems. The mode 0666
    // lets the umask give the usual permissions.
    Fd fd;
    bool unnamed = false;
#ifdef O_TMPFILE
    if (unnamedAllowed) {
        fd.reset(::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        unnamed = fd.get() >= 0;
    }
#else
    (void)unnamedAllowed;
#endif
    std::string temp;
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temp = freshName();
        fd.reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd.get() < 0 && errno != EEXIST)
            return errno;
    }
    if (fd.get() < 0)
        return EEXIST;

    if (exists)
        ::fchmod(fd.get(), static_cast<mode_t>(mode));

    int error = 0;
    if (!writeAll(fd.get(), data) || ::fsync(fd.get()) != 0)
        error = errno;

    // A new name is taken directly; a previous file is replaced through a name of our own.
    bool done = false;
    if (error == 0 && unnamed) {
        error = exists ? EEXIST : giveName(fd.get(), target);
        done = error == 0;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            temp = freshName();
            error = giveName(fd.get(), temp);
        }
        if (error != 0)
            return error == EEXIST ? EEXIST : kNamingFailed;
    }
    // The data is on the disk already; a failing close matters only before the file has a name.
    const int closing = ::close(fd.release());
    if (closing != 0 && error == 0 && !done)
        error = errno;
    if (error == 0 && !done && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0 && !temp.empty())
        ::unlink(temp.c_str());
    return error;
}

// What a save to a path replaces: the file the kernel reaches through its links, and its
// permissions (-1 when the name is new).
struct Target
{
    std::string path;
    int mode = -1;
};

// Finds what is at `path` now: nothing, or (links followed by the kernel) a regular file that
// this process may write. Anything else is refused by name.
FileResult resolveTarget(const std::string& path, Target& out)
{
    std::string target = path;
    bool exists = false;
    struct stat old
    {
    };
    if (::lstat(path.c_str(), &old) == 0) {
        const Fd reached(::open(path.c_str(), kReachFlags));
        if (reached.get() < 0) {
            if (errno == ELOOP)
                return {false, {MessageKind::WriteLinkLoop, {quoted(path)}}};
            if (errno == ENOENT)
                return {false, {MessageKind::WriteLinkToNothing, {quoted(path)}}};
            return {false, failure(path, errno)};
        }
        if (::fstat(reached.get(), &old) != 0)
            return {false, failure(path, errno)};
        if (!S_ISREG(old.st_mode))
            return {false, notRegular(true, path, old.st_mode)};
        target = reachedPath(reached.get(), path);
        exists = true;
    } else if (errno != ENOENT) {
        return {false, failure(path, errno)};
    }

    // A file its owner made read-only is not replaced behind their back: the rename of a save
    // would succeed where writing into the file is refused.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return {false, failure(path, errno)};
    out.path = target;
    out.mode = exists ? static_cast<int>(old.st_mode & 07777) : -1;
    return {};
}

} // namespace

FileResult writeFileAtomically(const std::string& path, std::string_view data)
{
    Target target;
    if (FileResult r = resolveTarget(path, target); !r.ok)
        return r;
    removeLeftovers(target.path);
    int error = writeAndName(target.path, target.mode, data, true);
    if (error == kNamingFailed) // unnamed files, but no way to name them here
        error = writeAndName(target.path, target.mode, data, false);
    if (error != 0)
        return {false, failure(path, error == kNamingFailed ? EPERM : error)};

    // Make the new name itself last across a power cut.
    const Fd dir(::open(folderOf(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return {};
}

FileResult checkWritableTarget(const std::string& path)
{
    Target target;
    if (FileResult r = resolveTarget(path, target); !r.ok)
        return r;
        // The save's first step, undone at once: a file made in the target's folder.
#ifdef O_TMPFILE
    if (Fd(::open(folderOf(target.path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)).get() >=
        0)
        return {};
#endif
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        const std::string probe = tempPrefix(target.path) + std::to_string(::getpid()) + "-probe-" +
                                  std::to_string(attempt);
        const Fd fd(
            ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        error = fd.get() >= 0 ? 0 : errno;
        if (error == 0)
            ::unlink(probe.c_str());
    }
    return error == 0 ? FileResult{} : FileResult{false, failure(path, error)};
}

FileResult readRegularFile(const std::string& path, std::size_t limit, std::string& out,
                           bool& truncated)
{
    // Non-blocking, so that a named pipe without a writer is not waited for.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return {false, failure(MessageKind::CannotOpen, path, errno)};
    struct stat st
    {
    };
    if (::fstat(fd.get(), &st) != 0)
        return {false, failure(MessageKind::CannotRead, path, errno)};
    if (!S_ISREG(st.st_mode))
        return {false, notRegular(false, path, st.st_mode)};

    std::string text;
    char buffer[65536];
    truncated = false;
    for (;;) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - text.size());
        const ssize_t n = ::read(fd.get(), buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {false, failure(MessageKind::CannotRead, path, errno)};
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > limit) {
            text.resize(limit);
            truncated = true;
            break;
        }
    }
    out = std::move(text);
    return {};
}

} // namespace orvo
