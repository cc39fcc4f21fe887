#pragma once
// The fuzz targets' own check: unlike assert() it stays on in every build type, and it names the
// broken promise before libFuzzer saves the input that broke it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, what)                                                              \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, what);       \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
