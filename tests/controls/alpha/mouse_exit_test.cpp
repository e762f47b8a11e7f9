// The mouse-leave tracker: its hook and timer steps, cancelling, and instances that go away
// while their timer runs.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/alpha/cMouseExit.h"
#include "runtime/handles.h"
#include "support/test_window.h"

using controls::cMouseExit;

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return DefWindowProcA(h, m, w, l);
}

HWND ShownWindow(int x, int y, int w, int h) {
    HWND hwnd = testsupport::MakeTestWindow("VantrelMouseExitTest", &PlainProc, WS_POPUP | WS_VISIBLE, w, h);
    SetWindowPos(hwnd, HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW);
    UpdateWindow(hwnd);
    return hwnd;
}

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

struct Counts {
    int exits = 0, asked = 0;
    bool keep = false;
    void Attach(cMouseExit& t) {
        t.MouseExited = [this] { ++exits; };
        t.AnticpateMessage = [this](bool& k) {
            ++asked;
            if (keep) k = true;
        };
    }
};

constexpr intptr_t kOwner = 0x1234, kOther = 0x5678;

}  // namespace

TEST(MouseExit, InitiateWithoutAWindowStoresOnlyTheOwner) {
    auto t = cMouseExit::New();
    t->Iniitate(nullptr, 0, 0, kOwner);
    EXPECT_EQ(t->Owner(), kOwner);
    EXPECT_EQ(t->TrackedWindow(), nullptr);
    EXPECT_EQ(t->HookHandle(), nullptr);
}

TEST(MouseExit, HookSteps) {
    rt::WindowHandle window(ShownWindow(0, 0, 50, 50));
    auto t = cMouseExit::New();
    Counts c;
    c.Attach(*t);
    MOUSEHOOKSTRUCT data{};
    const LPARAM p = reinterpret_cast<LPARAM>(&data);

    t->Iniitate(window.get(), 0, 0, kOwner);
    ASSERT_NE(t->HookHandle(), nullptr);
    t->MouseInControlII(HC_NOREMOVE, WM_MOUSEMOVE, p);  // only passed on
    EXPECT_EQ(c.asked, 0);
    t->MouseInControlII(0, WM_LBUTTONUP, p);  // kept, even by an owner that says nothing
    EXPECT_EQ(c.asked, 1);
    EXPECT_EQ(c.exits, 0);
    EXPECT_EQ(t->Owner(), kOwner);
    c.keep = true;
    t->MouseInControlII(0, WM_MOUSEMOVE, p);  // the owner keeps tracking
    EXPECT_EQ(c.exits, 0);
    c.keep = false;
    t->MouseInControlII(0, WM_MOUSEMOVE, p);
    EXPECT_EQ(c.exits, 1);
    EXPECT_EQ(t->Owner(), 0);
    EXPECT_EQ(t->HookHandle(), nullptr);
    EXPECT_EQ(t->TrackedWindow(), nullptr);

    // (0, 0, 0) is a forced exit without asking the owner.
    t->Iniitate(window.get(), 0, 0, kOwner);
    c = Counts{};
    c.Attach(*t);
    c.keep = true;
    EXPECT_EQ(t->MouseInControlII(0, 0, 0), 0);
    EXPECT_EQ(c.asked, 0);
    EXPECT_EQ(c.exits, 1);
    EXPECT_EQ(t->Owner(), 0);
}

TEST(MouseExit, OnlyTheOwnerCancelsAndCancellingRaisesNothing) {
    rt::WindowHandle window(ShownWindow(0, 0, 50, 50));
    auto t = cMouseExit::New();
    Counts c;
    c.Attach(*t);
    t->Iniitate(window.get(), 0, 0, kOwner);
    t->CancelNoEvent(kOther);
    EXPECT_EQ(t->Owner(), kOwner);
    EXPECT_NE(t->HookHandle(), nullptr);
    t->CancelNoEvent(kOwner);
    EXPECT_EQ(t->Owner(), 0);
    EXPECT_EQ(t->HookHandle(), nullptr);
    EXPECT_FALSE(KillTimer(window.get(), t->TimerId()));  // already gone
    EXPECT_EQ(c.exits, 0);
}

TEST(MouseExit, TheTimerSeesThePointerLeaveAChildCountsAsOutside) {
    rt::WindowHandle window(ShownWindow(100, 100, 80, 80));
    HWND child = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 40, 40, 40, 40, window.get(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    SetCursorPos(110, 110);
    auto t = cMouseExit::New();
    Counts c;
    c.Attach(*t);
    t->Iniitate(window.get(), 0, 0, kOwner);  // no messages are pumped: the hook stays quiet
    t->MouseInControl();
    POINT at{};
    GetCursorPos(&at);
    if (WindowFromPoint(at) != window.get()) GTEST_SKIP() << "the pointer cannot be placed here";
    EXPECT_EQ(c.exits, 0);
    SetCursorPos(150, 150);  // over the child
    t->MouseInControl();
    EXPECT_EQ(c.exits, 1);
}

TEST(MouseExit, TimerTicksRaiseTheExitAndStopWhenTheInstanceGoes) {
    rt::WindowHandle window(ShownWindow(300, 300, 40, 40));
    SetCursorPos(5, 700);
    auto t = cMouseExit::New();
    Counts c;
    c.Attach(*t);
    t->Iniitate(window.get(), 0, 0, kOwner);
    Pump(700);
    EXPECT_EQ(c.exits, 1);
    EXPECT_EQ(t->Owner(), 0);

    // An instance that goes takes its timers and hook with it.
    const UINT_PTR id = t->TimerId();
    t->Iniitate(window.get(), 0, 0, kOwner);
    t.reset();
    EXPECT_FALSE(KillTimer(window.get(), id));
    Pump(300);
}

TEST(MouseExit, ReplacingTheTrackerFromItsOwnHandlerWhileItsTimerRuns) {
    rt::WindowHandle first(ShownWindow(300, 300, 40, 40));
    rt::WindowHandle second(ShownWindow(400, 300, 40, 40));
    SetCursorPos(5, 700);
    std::shared_ptr<cMouseExit> shared = cMouseExit::New();
    std::weak_ptr<cMouseExit> old = shared;
    int exits = 0;
    shared->AnticpateMessage = [&](bool& keep) {
        shared = cMouseExit::New();  // drops the last outside reference to the running one
        keep = true;
    };
    shared->MouseExited = [&] { ++exits; };
    shared->Iniitate(first.get(), 0, 0, kOwner);
    shared->Iniitate(second.get(), 0, 0, kOwner);  // a timer on each window
    const UINT_PTR id = shared->TimerId();
    Pump(700);
    EXPECT_TRUE(old.expired());
    EXPECT_EQ(exits, 0);
    EXPECT_FALSE(KillTimer(first.get(), id));
    EXPECT_FALSE(KillTimer(second.get(), id));
}
