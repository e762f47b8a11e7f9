// The callback timer: ticks on a window's or the thread's timer messages, stopping, moving to
// another window, and an owner that goes inside its own tick.
#include "runtime/callback_timer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "runtime/handles.h"
#include "support/test_window.h"
#include "support/window_helpers.h"

namespace {

HWND PlainWindow() {
    return testsupport::MakeTestWindow("VantrelCallbackTimerTest", &DefWindowProcA, WS_POPUP, 20, 20);
}

void PumpFor(DWORD ms) {
    testutil::PumpUntil([] { return false; }, ms);
}

TEST(CallbackTimer, TicksUntilStoppedOnAWindowAndOnTheThread) {
    rt::WindowHandle window(PlainWindow());
    ASSERT_TRUE(window);
    for (HWND on : {window.get(), HWND{}}) {
        SCOPED_TRACE(on ? "window" : "thread");
        int ticks = 0;
        rt::CallbackTimer timer([&] { ++ticks; });
        EXPECT_FALSE(timer.Running());
        ASSERT_TRUE(timer.Start(on, 10));
        EXPECT_TRUE(timer.Running());
        EXPECT_EQ(timer.Window(), on);
        EXPECT_TRUE(testutil::PumpUntil([&] { return ticks >= 3; }, 2000));

        timer.Stop();
        EXPECT_FALSE(timer.Running());
        const int stoppedAt = ticks;
        PumpFor(80);
        EXPECT_EQ(ticks, stoppedAt);
        EXPECT_FALSE(KillTimer(on, timer.Id())) << "the platform timer went with the stop";
    }
}

TEST(CallbackTimer, AStartOnAnotherWindowLeavesTheFirst) {
    rt::WindowHandle first(PlainWindow()), second(PlainWindow());
    int ticks = 0;
    rt::CallbackTimer timer([&] { ++ticks; });
    ASSERT_TRUE(timer.Start(first.get(), 10));
    ASSERT_TRUE(timer.Start(second.get(), 10));
    EXPECT_EQ(timer.Window(), second.get());
    EXPECT_FALSE(KillTimer(first.get(), timer.Id()));
    EXPECT_TRUE(testutil::PumpUntil([&] { return ticks >= 2; }, 2000));
}

TEST(CallbackTimer, AnOwnerDestroyedInItsOwnTickStopsTheTimer) {
    rt::WindowHandle window(PlainWindow());
    for (HWND on : {window.get(), HWND{}}) {
        SCOPED_TRACE(on ? "window" : "thread");
        struct Owner {
            Owner(int& t, std::unique_ptr<Owner>& s) : ticks(t), self(s) {}
            int& ticks;
            std::unique_ptr<Owner>& self;
            rt::CallbackTimer timer{[this] {
                ++ticks;
                self.reset();  // this owner, its timer and the running function go
            }};
        };
        int ticks = 0;
        std::unique_ptr<Owner> owner;
        owner = std::make_unique<Owner>(ticks, owner);
        ASSERT_TRUE(owner->timer.Start(on, 10));
        const UINT_PTR id = owner->timer.Id();
        EXPECT_TRUE(testutil::PumpUntil([&] { return owner == nullptr; }, 2000));
        PumpFor(80);
        EXPECT_EQ(ticks, 1);
        EXPECT_FALSE(KillTimer(on, id));
    }
}

}  // namespace
