// orvo-cli: reads, writes, shows and converts ZT-4 channel data from the command line.
#include "verbs.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

void printHelp(std::FILE* out)
{
    std::fputs("usage: orvo-cli VERB [ARGS]\n\nVerbs:\n", out);
    for (const orvo::cli::Verb* group :
         {orvo::cli::kFileVerbs, orvo::cli::kLinkVerbs, orvo::cli::kTestModeVerbs,
          orvo::cli::kReportVerbs}) {
        for (const orvo::cli::Verb* v = group; v->name; ++v)
            std::fprintf(out, "  %s %s\n      %s\n", v->name, v->usage, v->summary);
    }
    std::fputs("\nExit status: 0 success, 1 failure, 2 bad usage.\n", out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printHelp(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printHelp(stdout);
        return 0;
    }
    for (const orvo::cli::Verb* group :
         {orvo::cli::kFileVerbs, orvo::cli::kLinkVerbs, orvo::cli::kTestModeVerbs,
          orvo::cli::kReportVerbs}) {
        for (const orvo::cli::Verb* v = group; v->name; ++v) {
            if (std::strcmp(argv[1], v->name) == 0)
                return v->run(argc - 2, argv + 2);
        }
    }
    std::fprintf(stderr, "orvo-cli: unknown verb '%s' (see orvo-cli --help)\n", argv[1]);
    return 2;
}
