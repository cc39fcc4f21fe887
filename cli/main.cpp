// orvo-cli: reads, writes, shows and converts ZT-4 channel data from the command line.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: orvo-cli VERB ...");
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "orvo-cli: unknown verb '%s'\n", argv[1]);
    return 2;
}
