#pragma once
// The system's own English words for a Win32 error code, for the Windows build's messages: no
// trailing full stop or line break, "error N" where the system has no words.

#include <string>

#include <windows.h>

namespace orvo {

inline std::string windowsErrorText(DWORD error)
{
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                   reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = n > 0 && text ? std::string(text, n) : "error " + std::to_string(error);
    if (text)
        LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

} // namespace orvo
