// orvo-cli: reads, writes, shows and converts ZT-4 channel data from the command line.
#include "verbs.h"

#include "core/image/escaped_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

void printHelp(std::FILE* out)
{
    std::fputs("usage: orvo-cli VERB [ARGS]\n       orvo-cli --version\n\nVerbs:\n", out);
    for (const orvo::cli::Verb* group :
         {orvo::cli::kFileVerbs, orvo::cli::kLinkVerbs, orvo::cli::kTestModeVerbs,
          orvo::cli::kReportVerbs}) {
        for (const orvo::cli::Verb* v = group; v->name; ++v)
            std::fprintf(out, "  %s %s\n      %s\n", v->name, v->usage, v->summary);
    }
    std::fputs("\nExit status, the same for every verb:\n"
               "  0  success; for diff and verify: the two are equal\n"
               "  1  failed; for diff and verify: the two differ\n"
               "  2  bad usage; for diff and verify also: they could not be compared (a file\n"
               "     unreadable, no device, the port not opened, the radio not answering)\n",
               out);
}

// Standard input, output or error closed when the program starts would be taken by the next file
// or port it opens, and what is printed would land there. Each closed one is held by a read-only
// /dev/null instead, where printing fails as it would have on the closed one.
void holdClosedStandardFiles()
{
#ifndef _WIN32
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int held = ::open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
#endif
}

// Files and exports are bytes, and messages end their lines with "\n" alone, on every system.
void useBinaryStandardFiles()
{
#ifdef _WIN32
    for (int fd = 0; fd <= 2; ++fd)
        _setmode(fd, _O_BINARY);
#endif
}

int runVerb(int argc, char** argv)
{
    if (argc < 2) {
        printHelp(stderr);
        return orvo::cli::kExitUsage;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printHelp(stdout);
        return orvo::cli::kExitOk;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::puts("orvo-cli " ORVO_VERSION);
        return orvo::cli::kExitOk;
    }
    for (const orvo::cli::Verb* group :
         {orvo::cli::kFileVerbs, orvo::cli::kLinkVerbs, orvo::cli::kTestModeVerbs,
          orvo::cli::kReportVerbs}) {
        for (const orvo::cli::Verb* v = group; v->name; ++v) {
            if (std::strcmp(argv[1], v->name) == 0)
                return v->run(argc - 2, argv + 2);
        }
    }
    std::fprintf(stderr, "orvo-cli: unknown verb '%s' (see orvo-cli --help)\n",
                 orvo::escapedText(argv[1]).c_str());
    return orvo::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    holdClosedStandardFiles();
    useBinaryStandardFiles();
    return orvo::cli::withOutputFlushed(runVerb(argc, argv));
}
