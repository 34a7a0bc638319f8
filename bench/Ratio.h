#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

// One figure of the program against its floor, measured in the same run: the
// medians of interleaved repetitions, so that a machine busy with other work
// slows both alike. scripts/bench gathers the "ratio:" lines into its table.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline void printRatio(const char* figure, const char* unit, double program, double floor, double goal)
{
    const double ratio = floor > 0 ? program / floor : 0;
    std::printf("ratio: %s | %.3f %s | %.3f %s | %.2fx | goal <= %.1fx%s\n", figure, program, unit, floor, unit, ratio,
                goal, ratio <= goal ? "" : " (missed)");
    std::fflush(stdout);
}
