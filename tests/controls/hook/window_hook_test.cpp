// The window message hook on real windows: dispatch order, the handled flag, calling the
// previous procedure, several owners on one window, unhooking in any order and from inside a
// callback, the window's destruction, and the failures with their report texts.
#include "controls/hook/window_hook.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/test_window.h"

using controls::HookArgs;
using controls::HookClient;
using controls::HookError;
using controls::HookReporting;
using controls::WindowHook;

namespace {

constexpr UINT kMsg = WM_APP + 1;
constexpr UINT kOther = WM_APP + 2;
constexpr LRESULT kProcResult = 1000;

std::vector<std::string> g_log;
WPARAM g_procWParam = 0;

// The window's own procedure: logs the test messages and answers kProcResult.
LRESULT CALLBACK TestWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_APP) {
        g_log.push_back("proc");
        g_procWParam = wParam;
        return kProcResult;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND MakeWindow() {
    return testsupport::MakeTestWindow("HookTestWindow", TestWndProc, WS_OVERLAPPEDWINDOW, 100, 100);
}

using Action = std::function<void(bool before, bool& handled, LRESULT& ret, HWND& wnd, UINT& msg,
                                  WPARAM& wParam, LPARAM& lParam, int32_t& user)>;

// An owner that logs "<name>.before" / "<name>.after" and then runs its action.
class Owner : public HookClient {
public:
    explicit Owner(std::string name, HookArgs args = HookArgs::ByValue)
        : name_(std::move(name)), hook(name_, this, HookReporting::Standard, args) {}

    void HookProc(bool before, bool& handled, LRESULT& ret, HWND& wnd, UINT& msg, WPARAM& wParam,
                  LPARAM& lParam, int32_t& user) override {
        g_log.push_back(name_ + (before ? ".before" : ".after"));
        lastUser = user;
        lastReturnSeen = ret;
        if (action) action(before, handled, ret, wnd, msg, wParam, lParam, user);
    }

    std::string name_;
    WindowHook hook;
    Action action;
    int32_t lastUser = -1;
    LRESULT lastReturnSeen = -1;
};

class HookTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        previous_ = WindowHook::SetStandardReporter([this](const HookError& e) { errors.push_back(e); });
        wnd.reset(MakeWindow());
        ASSERT_NE(wnd.get(), nullptr);
    }
    void TearDown() override { WindowHook::SetStandardReporter(previous_); }

    LRESULT Send(UINT msg = kMsg, WPARAM wParam = 0) { return SendMessageA(wnd.get(), msg, wParam, 0); }
    std::vector<std::string> TakeLog() { return std::exchange(g_log, {}); }

    rt::WindowHandle wnd;
    std::vector<HookError> errors;

private:
    controls::HookErrorReporter previous_;
};

using Log = std::vector<std::string>;

TEST_F(HookTest, BeforeRunsFirstAndAfterSeesAndMayChangeTheResult) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get(), 7));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);
    a.action = [](bool before, bool&, LRESULT& ret, HWND&, UINT&, WPARAM&, LPARAM&, int32_t&) {
        if (!before) ret += 5;
    };

    EXPECT_EQ(Send(), kProcResult + 5);
    EXPECT_EQ(TakeLog(), (Log{"A.before", "proc", "A.after"}));
    EXPECT_EQ(a.lastReturnSeen, kProcResult);  // the after call sees the window's answer
    EXPECT_EQ(a.lastUser, 7);

    // Messages in no table pass straight through.
    EXPECT_EQ(Send(kOther), kProcResult);
    EXPECT_EQ(TakeLog(), (Log{"proc"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(HookTest, HandledInTheBeforeCallSkipsTheWindowAndTheAfterCall) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);
    a.action = [](bool before, bool& handled, LRESULT& ret, HWND&, UINT&, WPARAM&, LPARAM&, int32_t&) {
        if (before) {
            handled = true;
            ret = 42;
        }
    };
    EXPECT_EQ(Send(), 42);
    EXPECT_EQ(TakeLog(), (Log{"A.before"}));

    // Handled without a return value set: the window answers 0.
    a.action = [](bool, bool& handled, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&, int32_t&) {
        handled = true;
    };
    EXPECT_EQ(Send(), 0);
    EXPECT_EQ(TakeLog(), (Log{"A.before"}));
}

TEST_F(HookTest, CallOriginalFromTheCallbackReachesTheWindowProcedure) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE);
    a.action = [&](bool, bool& handled, LRESULT& ret, HWND& h, UINT&, WPARAM&, LPARAM&, int32_t&) {
        ret = a.hook.HookCallOriginal(h, kOther, 9, 0) + 1;
        handled = true;
    };
    EXPECT_EQ(Send(), kProcResult + 1);
    EXPECT_EQ(TakeLog(), (Log{"A.before", "proc"}));
    EXPECT_EQ(g_procWParam, 9u);

    // A window that is not hooked: 0 and a report.
    rt::WindowHandle other(MakeWindow());
    EXPECT_EQ(a.hook.HookCallOriginal(other.get(), kMsg, 0, 0), 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].routine, "zMap_hWnd");
    EXPECT_EQ(errors[0].message, "Window handle isn't subclassed");
}

TEST_F(HookTest, UserValueIsKeptPerWindowAndPassedByReference) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get(), 11));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE);
    EXPECT_EQ(a.hook.HookUserValue(wnd.get()), 11);
    a.hook.HookUserValue(wnd.get(), 12);
    a.action = [](bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&, int32_t& user) { user += 100; };
    Send();
    EXPECT_EQ(a.lastUser, 12);
    EXPECT_EQ(a.hook.HookUserValue(wnd.get()), 112);
}

TEST_F(HookTest, MessageArgumentsReachTheWindowOnlyWhenPassedByReference) {
    struct Case {
        HookArgs args;
        WPARAM seenByWindow;
    };
    for (Case c : {Case{HookArgs::ByValue, 1}, Case{HookArgs::ByReference, 2}}) {
        Owner a("A", c.args);
        ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
        a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE);
        a.action = [](bool, bool&, LRESULT&, HWND&, UINT&, WPARAM& wParam, LPARAM&, int32_t&) { wParam = 2; };
        Send(kMsg, 1);
        EXPECT_EQ(g_procWParam, c.seenByWindow);
    }
}

TEST_F(HookTest, MessageTables) {
    Owner a("A");
    HWND h = wnd.get();
    ASSERT_TRUE(a.hook.sc_Subclass(h));

    // Every message, then nothing after deleting the marker.
    a.hook.HookAddMessage(h, WindowHook::ALL_MESSAGES, WindowHook::MSG_AFTER);
    Send(kOther);
    EXPECT_EQ(TakeLog(), (Log{"proc", "A.after"}));
    a.hook.HookDeleteMessage(h, WindowHook::ALL_MESSAGES, WindowHook::MSG_AFTER);
    Send(kOther);
    EXPECT_EQ(TakeLog(), (Log{"proc"}));

    // A table that matched every message matches only the message added to it afterwards.
    a.hook.HookAddMessage(h, WindowHook::ALL_MESSAGES, WindowHook::MSG_BEFORE);
    a.hook.HookAddMessage(h, kMsg, WindowHook::MSG_BEFORE);
    Send(kOther);
    Send(kMsg);
    EXPECT_EQ(TakeLog(), (Log{"proc", "A.before", "proc"}));

    // A message in both tables is seen twice; deleting it from one table leaves the other.
    a.hook.HookAddMessage(h, kMsg, WindowHook::MSG_AFTER);
    Send();
    EXPECT_EQ(TakeLog(), (Log{"A.before", "proc", "A.after"}));
    a.hook.HookDeleteMessage(h, kMsg, WindowHook::MSG_BEFORE);
    Send();
    EXPECT_EQ(TakeLog(), (Log{"proc", "A.after"}));

    // Deleting what is not there is reported, with the message number in upper-case hex.
    a.hook.HookDeleteMessage(h, 0x4a1, WindowHook::MSG_AFTER);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].routine, "zDelMsg");
    EXPECT_EQ(errors[0].message, "Message &H4A1 not found in table");
    EXPECT_EQ(errors[0].Title(), "Error in A.zDelMsg");
}

TEST_F(HookTest, TableHoldsThirtyTwoMessagesAndCountsEachOnce) {
    Owner a("A");
    HWND h = wnd.get();
    ASSERT_TRUE(a.hook.sc_Subclass(h));
    for (int i = 0; i < 10; ++i) a.hook.HookAddMessage(h, WM_APP + 100, WindowHook::MSG_BEFORE);  // one slot
    for (UINT m = 1; m < 32; ++m) a.hook.HookAddMessage(h, WM_APP + 100 + m, WindowHook::MSG_BEFORE);
    EXPECT_TRUE(errors.empty());

    a.hook.HookAddMessage(h, WM_APP + 200, WindowHook::MSG_BEFORE);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].routine, "zAddMsg");
    EXPECT_EQ(
        errors[0].message,
        "Message table overflow. Either increase the value of Const MSG_ENTRIES or use ALL_MESSAGES instead "
        "of specific message values");
    Send(WM_APP + 200);
    Send(WM_APP + 131);
    EXPECT_EQ(TakeLog(), (Log{"proc", "A.before", "proc"}));

    // Once 32 slots were used, a hole left by a deletion does not make room.
    a.hook.HookDeleteMessage(h, WM_APP + 105, WindowHook::MSG_BEFORE);
    a.hook.HookAddMessage(h, WM_APP + 200, WindowHook::MSG_BEFORE);
    EXPECT_EQ(errors.size(), 2u);
    // The other table is independent.
    a.hook.HookAddMessage(h, WM_APP + 200, WindowHook::MSG_AFTER);
    EXPECT_EQ(errors.size(), 2u);
}

TEST_F(HookTest, OwnersHookedLaterRunOutside) {
    Owner a("A"), b("B");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    ASSERT_TRUE(b.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);
    b.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);

    Send();
    EXPECT_EQ(TakeLog(), (Log{"B.before", "A.before", "proc", "A.after", "B.after"}));

    // The outer owner's handled flag hides the message from the inner owner too.
    b.action = [](bool before, bool& handled, LRESULT& ret, HWND&, UINT&, WPARAM&, LPARAM&, int32_t&) {
        if (before) handled = true, ret = 3;
    };
    EXPECT_EQ(Send(), 3);
    EXPECT_EQ(TakeLog(), (Log{"B.before"}));
}

TEST_F(HookTest, UnhookInAnyOrder) {
    // Each order of removing three owners; the others keep working after every step.
    const std::vector<std::vector<int>> orders = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {1, 2, 0}};
    for (const auto& order : orders) {
        std::vector<std::unique_ptr<Owner>> owners;
        for (const char* name : {"A", "B", "C"}) {
            owners.push_back(std::make_unique<Owner>(name));
            ASSERT_TRUE(owners.back()->hook.sc_Subclass(wnd.get()));
            owners.back()->hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);
        }
        std::vector<bool> live = {true, true, true};
        for (int gone : order) {
            owners[gone]->hook.sc_UnSubclass(wnd.get());
            live[gone] = false;
            Log expected;
            for (int i = 2; i >= 0; --i)
                if (live[i]) expected.push_back(owners[i]->name_ + ".before");
            expected.push_back("proc");
            for (int i = 0; i < 3; ++i)
                if (live[i]) expected.push_back(owners[i]->name_ + ".after");
            EXPECT_EQ(Send(), kProcResult);
            EXPECT_EQ(TakeLog(), expected);
        }
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(HookTest, UnhookFromInsideTheBeforeCallLetsTheMessageFinish) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);
    a.action = [&](bool before, bool&, LRESULT&, HWND& h, UINT&, WPARAM&, LPARAM&, int32_t&) {
        if (before) a.hook.sc_UnSubclass(h);
    };
    EXPECT_EQ(Send(), kProcResult);
    EXPECT_EQ(TakeLog(), (Log{"A.before", "proc"}));  // no after call
    EXPECT_FALSE(a.hook.IsHooked(wnd.get()));
    EXPECT_EQ(Send(), kProcResult);
    EXPECT_EQ(TakeLog(), (Log{"proc"}));
}

TEST_F(HookTest, UnhookFromInsideTheAfterCallReturnsNormally) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_AFTER);
    a.action = [&](bool, bool&, LRESULT& ret, HWND& h, UINT&, WPARAM&, LPARAM&, int32_t&) {
        a.hook.HookTerminate();
        ret = 8;
    };
    EXPECT_EQ(Send(), 8);
    EXPECT_EQ(Send(), kProcResult);
    EXPECT_EQ(TakeLog(), (Log{"proc", "A.after", "proc"}));
}

TEST_F(HookTest, NestedMessagesAreDispatchedAndReleaseWaitsForTheOutermost) {
    Owner a("A");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE);
    a.hook.HookAddMessage(wnd.get(), kOther, WindowHook::MSG_BEFORE);
    a.action = [&](bool, bool&, LRESULT&, HWND& h, UINT& msg, WPARAM&, LPARAM&, int32_t&) {
        if (msg == kMsg) {
            SendMessageA(h, kOther, 0, 0);  // nested, still hooked
            a.hook.sc_UnSubclass(h);
            SendMessageA(h, kOther, 0, 0);  // nested, released: straight through
        }
    };
    EXPECT_EQ(Send(), kProcResult);
    EXPECT_EQ(TakeLog(), (Log{"A.before", "A.before", "proc", "proc", "proc"}));
}

TEST_F(HookTest, DestroyedWindowTakesItsRecordAlong) {
    Owner a("A"), b("B");
    ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
    ASSERT_TRUE(b.hook.sc_Subclass(wnd.get()));
    a.hook.HookAddMessage(wnd.get(), WindowHook::ALL_MESSAGES, WindowHook::MSG_BEFORE_AND_AFTER);
    HWND h = wnd.get();
    DestroyWindow(wnd.release());
    EXPECT_FALSE(a.hook.IsHooked(h));
    EXPECT_FALSE(b.hook.IsHooked(h));

    // A window destroyed from inside one of its own callbacks.
    rt::WindowHandle second(MakeWindow());
    ASSERT_TRUE(a.hook.sc_Subclass(second.get()));
    a.hook.HookAddMessage(second.get(), kMsg, WindowHook::MSG_BEFORE_AND_AFTER);
    a.action = [](bool before, bool&, LRESULT&, HWND& wnd, UINT& msg, WPARAM&, LPARAM&, int32_t&) {
        if (before && msg == kMsg) DestroyWindow(wnd);
    };
    SendMessageA(second.get(), kMsg, 0, 0);
    EXPECT_FALSE(IsWindow(second.get()));
    EXPECT_FALSE(a.hook.IsHooked(second.get()));
    // Later operations on the gone window only report.
    errors.clear();
    a.hook.HookAddMessage(second.get(), kMsg, WindowHook::MSG_BEFORE);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "Window handle isn't subclassed");
}

TEST_F(HookTest, OwnerEndingUnhooksEverything) {
    rt::WindowHandle second(MakeWindow());
    {
        Owner a("A");
        ASSERT_TRUE(a.hook.sc_Subclass(wnd.get()));
        ASSERT_TRUE(a.hook.sc_Subclass(second.get()));
        a.hook.HookAddMessage(wnd.get(), kMsg, WindowHook::MSG_BEFORE);
        a.hook.HookAddMessage(second.get(), kMsg, WindowHook::MSG_BEFORE);
    }
    EXPECT_EQ(Send(), kProcResult);
    EXPECT_EQ(SendMessageA(second.get(), kMsg, 0, 0), kProcResult);
    EXPECT_EQ(TakeLog(), (Log{"proc", "proc"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(HookTest, FailuresAreReportedAndReachNoCaller) {
    Owner a("CandyButton");
    WindowHook noCallback("vxbutton", nullptr);

    struct Case {
        std::function<bool()> call;
        const char* owner;
        const char* routine;
        const char* message;
    };
    const Case cases[] = {
        {[&] {
             a.hook.sc_UnSubclass(wnd.get());
             return false;
         },
         "CandyButton", "sc_UnSubclass", "Window handle isn't subclassed"},
        {[&] {
             a.hook.HookAddMessage(wnd.get(), kMsg, 1);
             return false;
         },
         "CandyButton", "zMap_hWnd", "Subclassing hasn't been started"},
        {[&] { return a.hook.sc_Subclass(nullptr); }, "CandyButton", "sc_Subclass", "Invalid window handle"},
        {[&] { return a.hook.sc_Subclass(GetDesktopWindow()); }, "CandyButton", "sc_Subclass",
         "Window handle belongs to another process"},
        {[&] { return noCallback.sc_Subclass(wnd.get()); }, "vxbutton", "sc_Subclass",
         "Callback method not found"},
        {[&] { return a.hook.sc_Subclass(wnd.get()) && a.hook.sc_Subclass(wnd.get()); }, "CandyButton",
         "sc_Subclass", "Window handle is already subclassed"},
    };
    for (const Case& c : cases) {
        errors.clear();
        EXPECT_FALSE(c.call()) << c.message;
        ASSERT_EQ(errors.size(), 1u) << c.message;
        EXPECT_EQ(errors[0].ownerType, c.owner);
        EXPECT_EQ(errors[0].routine, c.routine);
        EXPECT_EQ(errors[0].message, c.message);
    }
    // The first hook keeps working after the refused second start.
    a.hook.HookAddMessage(wnd.get(), kMsg, 1);
    Send();
    EXPECT_EQ(TakeLog(), (Log{"CandyButton.before", "proc"}));

    // What the user sees of the last one.
    EXPECT_EQ(errors.back().Title(), "Error in CandyButton.sc_Subclass");
    EXPECT_EQ(errors.back().Text(), "Window handle is already subclassed.");
    EXPECT_EQ(errors.back().LogEntry(), "CandyButton.sc_Subclass: Window handle is already subclassed");
}

TEST_F(HookTest, SilentHookReportsNothing) {
    WindowHook silent("cShadow", nullptr, HookReporting::Silent);
    EXPECT_FALSE(silent.sc_Subclass(nullptr));
    silent.sc_UnSubclass(wnd.get());
    EXPECT_TRUE(errors.empty());
}

TEST(MouseLeave, ExportProbe) {
    EXPECT_TRUE(controls::ExportExists("TrackMouseEvent", "User32"));
    EXPECT_TRUE(controls::ExportExists("_TrackMouseEvent", "Comctl32"));
    EXPECT_FALSE(controls::ExportExists("NoSuchExport", "User32"));
    EXPECT_FALSE(controls::ExportExists("TrackMouseEvent", "no_such_module_here"));
}

TEST(MouseLeave, OneLeaveMessageComesWhenThePointerLeaves) {
    rt::WindowHandle wnd(MakeWindow());
    SetWindowPos(wnd.get(), HWND_TOPMOST, 100, 100, 100, 100, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    auto pump = [&](int rounds) {
        int leaves = 0;
        MSG msg;
        for (int i = 0; i < rounds; ++i) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_MOUSELEAVE && msg.hwnd == wnd.get()) ++leaves;
                DispatchMessageA(&msg);
            }
            Sleep(20);
        }
        return leaves;
    };
    SetCursorPos(150, 150);
    pump(5);
    controls::StartLeaveTracking(wnd.get());
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    TrackMouseEvent(&query);
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);
    EXPECT_EQ(query.hwndTrack, wnd.get());

    SetCursorPos(700, 700);
    EXPECT_EQ(pump(50), 1);  // one-shot
}

}  // namespace
