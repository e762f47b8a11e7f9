// The leak check of the tests that repeat some work: no more live handles after a long run of it
// than after a short one.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "support/handle_counter.h"

namespace testsupport {

// work(n) runs n rounds and lets deferred work finish. It runs `warm` rounds to warm up, then
// counting starts, `warm` rounds more give the figures, and after `times` rounds none may be
// higher.
inline void ExpectNoHandleGrowth(const std::function<void(int)>& work, int warm, int times) {
    HandleCounter counter;
    ASSERT_GT(HandleCounter::PatchedImports(), 0);
    work(warm);
    counter.Start();
    work(warm);
    const size_t gdi = counter.GdiObjects(), dcs = counter.DeviceContexts(), user = counter.UserObjects();
    const size_t windows = counter.Windows();
    work(times);
    EXPECT_LE(counter.GdiObjects(), gdi) << counter.Report();
    EXPECT_LE(counter.DeviceContexts(), dcs) << counter.Report();
    EXPECT_LE(counter.UserObjects(), user) << counter.Report();
    EXPECT_LE(counter.Windows(), windows) << counter.Report();
}

}  // namespace testsupport
