// Win32 file calls: names as UTF-8 turned into wide strings, the reserved device names refused by
// name, a temporary file in the target's folder flushed with FlushFileBuffers, then ReplaceFileW
// or MoveFileExW.
#include "core/formats/atomic_file.h"

#include "core/image/escaped_text.h"
#include "core/platform/win_error_text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>

#include <windows.h>

namespace orvo {

namespace {

std::string quoted(const std::string& path)
{
    return quotedText(path);
}

// The system's reason for `error`, in the words the POSIX build uses where there are such words.
std::string reasonOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return std::strerror(EACCES);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::strerror(EBUSY);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::strerror(ENOSPC);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::strerror(EEXIST);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_NO_UNICODE_TRANSLATION:
        return std::strerror(EINVAL);
    case ERROR_FILENAME_EXCED_RANGE:
        return std::strerror(ENAMETOOLONG);
    default:
        break;
    }
    return windowsErrorText(error);
}

Message failure(MessageKind verb, const std::string& path, DWORD error)
{
    return {verb, {quoted(path), reasonOf(error)}};
}

// Why what `path` names is refused: it is `kind` (Folder, NamedPipe, Device), not a regular file.
Message notRegular(bool writing, const std::string& path, MessageKind kind)
{
    return {writing ? MessageKind::WriteNotRegular : MessageKind::OpenNotRegular,
            {quoted(path), Message(kind)}};
}

// `text` as UTF-16; false for bytes that are not UTF-8.
bool wide(const std::string& text, std::wstring& out)
{
    out.clear();
    if (text.empty())
        return true;
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                      static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0)
        return false;
    out.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        out.data(), n);
    return true;
}

class Handle
{
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    HANDLE get() const { return m_h; }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    void reset(HANDLE h = INVALID_HANDLE_VALUE)
    {
        if (valid())
            CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h;
};

std::size_t lastSeparator(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string::npos)
        return slash;
    return path.size() >= 2 && path[1] == ':' ? 1 : std::string::npos;
}

std::string folderOf(const std::string& path)
{
    const std::size_t at = lastSeparator(path);
    if (at == std::string::npos)
        return ".";
    return path.substr(0, at + 1);
}

std::string baseOf(const std::string& path)
{
    const std::size_t at = lastSeparator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string tempPrefix(const std::string& target)
{
    const std::string folder = folderOf(target);
    return (folder == "." ? "" : folder) + "." + baseOf(target) + ".tmp-";
}

// True when the last part of `path` is one of the names the system keeps for its devices in every
// folder: CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9 and the console's, with any extension and
// trailing blanks or dots, in any case. Opening such a name reaches the device, not a file.
bool reservedName(const std::string& path)
{
    std::string stem = baseOf(path);
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.pop_back();
    for (char& c : stem)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" ||
        stem == "CONOUT$")
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

// True for names in the system's device space ("\\.\COM1", "//./pipe/x"), which are never files.
bool deviceSpaceName(const std::string& path)
{
    return path.size() >= 4 && (path[0] == '\\' || path[0] == '/') &&
           (path[1] == '\\' || path[1] == '/') && path[2] == '.' &&
           (path[3] == '\\' || path[3] == '/');
}

bool deviceName(const std::string& path)
{
    return reservedName(path) || deviceSpaceName(path);
}

// What an open handle reaches, for the messages; none for a file on a disk.
std::optional<MessageKind> kindOf(HANDLE h)
{
    switch (GetFileType(h)) {
    case FILE_TYPE_DISK:
        return std::nullopt;
    case FILE_TYPE_PIPE:
        return MessageKind::NamedPipe;
    default:
        return MessageKind::Device;
    }
}

// Removes temporary files that a killed save to `target` left: ".NAME.tmp-PID-N" of a process
// that no longer runs.
void removeLeftovers(const std::string& target)
{
    const std::string prefix = "." + baseOf(target) + ".tmp-";
    std::wstring pattern;
    if (!wide(tempPrefix(target) + "*", pattern))
        return;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const std::wstring name = found.cFileName;
        const std::wstring widePrefix(name.begin(),
                                      name.begin() + std::min(name.size(), prefix.size()));
        std::wstring expected;
        if (!wide(prefix, expected) || widePrefix != expected)
            continue;
        wchar_t* end = nullptr;
        const unsigned long pid = std::wcstoul(name.c_str() + prefix.size(), &end, 10);
        if (pid == 0 || *end != L'-' || pid == GetCurrentProcessId())
            continue;
        if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid))) {
            CloseHandle(process);
            continue;
        }
        if (GetLastError() != ERROR_INVALID_PARAMETER)
            continue; // it may run under another user
        std::wstring folder;
        wide(folderOf(target) == "." ? std::string() : folderOf(target), folder);
        DeleteFileW((folder + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Finds what is at `path` now: nothing, or a regular file that this process may write, through
// its links. Anything else is refused by name. `wpath` is the path to replace, as UTF-16.
FileResult resolveTarget(const std::string& path, std::wstring& wpath)
{
    if (deviceName(path))
        return {false, notRegular(true, path, MessageKind::Device)};
    if (!wide(path, wpath))
        return {false, failure(MessageKind::CannotWrite, path, ERROR_NO_UNICODE_TRANSLATION)};
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(wpath.c_str(), GetFileExInfoStandard, &attributes)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return {};
        return {false, failure(MessageKind::CannotWrite, path, error)};
    }
    if (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {false, notRegular(true, path, MessageKind::Folder)};
    // A file its owner made read-only is not replaced behind their back: the replacing would
    // succeed where writing into the file is refused.
    if (attributes.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return {false, failure(MessageKind::CannotWrite, path, ERROR_ACCESS_DENIED)};
    const Handle reached(CreateFileW(wpath.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!reached.valid())
        return {false, failure(MessageKind::CannotWrite, path, GetLastError())};
    if (const std::optional<MessageKind> kind = kindOf(reached.get()))
        return {false, notRegular(true, path, *kind)};
    if (attributes.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link: the file it reaches is replaced, and the link stays.
        wchar_t buffer[32768];
        const DWORD n = GetFinalPathNameByHandleW(reached.get(), buffer, 32768, 0);
        if (n > 0 && n < 32768)
            wpath.assign(buffer, n);
    }
    return {};
}

std::wstring freshTemp(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    std::wstring name;
    wide(tempPrefix(target) + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(counter++),
         name);
    return name;
}

// Writes `data` into a new file beside `target` and flushes it to the disk; its name in `temp`.
// 0 or a Win32 error.
DWORD writeTemp(const std::string& target, std::string_view data, std::wstring& temp)
{
    Handle file;
    for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
        temp = freshTemp(target);
        file.reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS)
            return GetLastError();
    }
    if (!file.valid())
        return ERROR_FILE_EXISTS;
    DWORD error = 0;
    while (!data.empty() && error == 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 20));
        if (!WriteFile(file.get(), data.data(), chunk, &written, nullptr))
            error = GetLastError();
        data.remove_prefix(written);
    }
    if (error == 0 && !FlushFileBuffers(file.get()))
        error = GetLastError();
    file.reset();
    if (error != 0)
        DeleteFileW(temp.c_str());
    return error;
}

} // namespace

FileResult writeFileAtomically(const std::string& path, std::string_view data)
{
    std::wstring target;
    if (FileResult r = resolveTarget(path, target); !r.ok)
        return r;
    std::string narrowTarget = path;
    removeLeftovers(narrowTarget);
    std::wstring temp;
    if (const DWORD error = writeTemp(narrowTarget, data, temp))
        return {false, failure(MessageKind::CannotWrite, path, error)};

    // ReplaceFileW keeps the replaced file's attributes and permissions; a new name, or a file
    // system without it, takes the moved file as it is.
    const bool exists = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    bool named = exists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!named)
        named = MoveFileExW(temp.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!named) {
        const DWORD error = GetLastError();
        DeleteFileW(temp.c_str());
        return {false, failure(MessageKind::CannotWrite, path, error)};
    }
    return {};
}

FileResult checkWritableTarget(const std::string& path)
{
    std::wstring target;
    if (FileResult r = resolveTarget(path, target); !r.ok)
        return r;
    // The save's first step, undone at once: a file made in the target's folder.
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        const Handle probe(CreateFileW(freshTemp(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        error = probe.valid() ? 0 : GetLastError();
    }
    return error == 0 ? FileResult{} : FileResult{false, failure(MessageKind::CannotWrite, path, error)};
}

FileResult readRegularFile(const std::string& path, std::size_t limit, std::string& out,
                           bool& truncated)
{
    if (deviceName(path))
        return {false, notRegular(false, path, MessageKind::Device)};
    std::wstring wpath;
    if (!wide(path, wpath))
        return {false, failure(MessageKind::CannotOpen, path, ERROR_NO_UNICODE_TRANSLATION)};
    const DWORD attributes = GetFileAttributesW(wpath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {false, notRegular(false, path, MessageKind::Folder)};
    const Handle file(CreateFileW(wpath.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return {false, failure(MessageKind::CannotOpen, path, GetLastError())};
    if (const std::optional<MessageKind> kind = kindOf(file.get()))
        return {false, notRegular(false, path, *kind)};

    std::string text;
    char buffer[65536];
    truncated = false;
    for (;;) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - text.size());
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, static_cast<DWORD>(want), &n, nullptr))
            return {false, failure(MessageKind::CannotRead, path, GetLastError())};
        if (n == 0)
            break;
        text.append(buffer, n);
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
