#pragma once
// Median and spread of repeated measurements, printed the same way by every benchmark.

#include <algorithm>
#include <cstdio>
#include <vector>

namespace orvo::bench {

struct Spread
{
    double median = 0;
    double min = 0;
    double max = 0;
};

inline Spread spreadOf(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    return {median, values.front(), values.back()};
}

// "SUMMARY name median min max n unit", the line bench/run.sh collects.
inline void printSummary(const char* name, const std::vector<double>& values, const char* unit)
{
    const Spread s = spreadOf(values);
    std::printf("SUMMARY %s %.3f %.3f %.3f %zu %s\n", name, s.median, s.min, s.max, values.size(),
                unit);
    std::fflush(stdout);
}

} // namespace orvo::bench
