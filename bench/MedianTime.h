// The median wall-clock time of repeated runs, for the benchmarks' figures.
#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace Bench {

inline constexpr int Runs = 20;

// Runs `work` Runs times; the median in milliseconds.
inline double medianMs(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return (times[Runs / 2 - 1] + times[Runs / 2]) / 2;
}

} // namespace Bench
