#include "verbs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orvo::cli {

int withOutputFlushed(int status)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (!flushed || std::ferror(stdout)) {
        std::fprintf(stderr, "orvo-cli: cannot write to standard output%s%s\n",
                     errno != 0 ? ": " : "", errno != 0 ? std::strerror(errno) : "");
        if (status == kExitOk)
            status = kExitFailed;
    }
    return status;
}

} // namespace orvo::cli
