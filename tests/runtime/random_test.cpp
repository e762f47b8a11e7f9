// The unseeded generator: its range, an even spread, and the same sequence on every run.
#include "runtime/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

TEST(Rnd, DrawsEvenlyFromZeroUpToButNotIncludingOne) {
    rt::detail::ResetRnd();
    constexpr int kDraws = 1'000'000, kBuckets = 10;
    std::array<int, kBuckets> count{};
    double low = 1, high = 0;
    for (int i = 0; i < kDraws; ++i) {
        const double r = rt::Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        low = std::min(low, r);
        high = std::max(high, r);
        ++count[static_cast<size_t>(r * kBuckets)];
    }
    // About 300 of deviation is usual for a bucket of 100000; five times that is a fault.
    for (int n : count) EXPECT_NEAR(n, kDraws / kBuckets, 1500);
    EXPECT_LT(low, 1e-4);
    EXPECT_GT(high, 1 - 1e-4);
}

TEST(Rnd, EveryRunDrawsTheSameSequence) {
    rt::detail::ResetRnd();
    // The classic runtime's opening values without Randomize.
    EXPECT_NEAR(rt::Rnd(), 0.7055475, 1e-7);
    EXPECT_NEAR(rt::Rnd(), 0.533424, 1e-7);
    EXPECT_NEAR(rt::Rnd(), 0.5795186, 1e-7);

    auto draw = [] {
        std::vector<double> v;
        for (int i = 0; i < 1000; ++i) v.push_back(rt::Rnd());
        return v;
    };
    rt::detail::ResetRnd();
    const std::vector<double> first = draw();
    rt::detail::ResetRnd();
    EXPECT_EQ(draw(), first);
}

}  // namespace
