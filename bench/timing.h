// Timing shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

namespace bench {

// Seconds on a steady clock, for the benches that time whole runs.
inline double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Milliseconds of one call of each of two jobs, as medians of `runs` rounds that run them in
// turn (so that a machine busy with other work slows both alike); each call is repeated until it
// takes at least 20 ms.
inline std::pair<double, double> Medians(const std::function<void()>& a, const std::function<void()>& b,
                                         int runs = 11) {
    auto repeats = [](const std::function<void()>& work) {
        int repeat = 1;
        for (;;) {
            const auto t0 = std::chrono::steady_clock::now();
            for (int i = 0; i < repeat; ++i) work();
            if (std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() >=
                20)
                return repeat;
            repeat *= 2;
        }
    };
    auto timed = [](const std::function<void()>& work, int repeat) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < repeat; ++i) work();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
               repeat;
    };
    const int ra = repeats(a), rb = repeats(b);
    std::vector<double> ta, tb;
    for (int r = 0; r < runs; ++r) {
        ta.push_back(timed(a, ra));
        tb.push_back(timed(b, rb));
    }
    std::sort(ta.begin(), ta.end());
    std::sort(tb.begin(), tb.end());
    return {ta[ta.size() / 2], tb[tb.size() / 2]};
}

}  // namespace bench
