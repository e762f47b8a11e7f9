#include "runtime/subclass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> visits;

LRESULT CALLBACK OwnProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER || m == WM_USER + 1) visits.push_back("own" + std::to_string(m - WM_USER));
    return DefWindowProcA(h, m, w, l);
}

// A subclass procedure that notes its id, and with data 1 removes itself on its first message,
// with data 2 sends the window a second message before passing the first on.
LRESULT CALLBACK Noting(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data) {
    if (m == WM_USER || m == WM_USER + 1) {
        visits.push_back("p" + std::to_string(id) + "/" + std::to_string(m - WM_USER));
        if (data == 1) rt::UnsubclassWindow(h, Noting, id);
        if (data == 2 && m == WM_USER) SendMessageA(h, WM_USER + 1, 0, 0);
    }
    if (m == WM_NCDESTROY) visits.push_back("p" + std::to_string(id) + "/destroy");
    return rt::CallNextSubclass(h, m, w, l);
}

LRESULT CALLBACK Platform(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (m == WM_USER) visits.push_back("platform");
    return DefSubclassProc(h, m, w, l);
}

struct SubclassTest : ::testing::Test {
    HWND hwnd = nullptr;
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SubclassTestWindow";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "SubclassTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        ASSERT_NE(hwnd, nullptr);
        visits.clear();
    }
    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    std::vector<std::string> Send(UINT msg = WM_USER) {
        visits.clear();
        SendMessageA(hwnd, msg, 0, 0);
        return visits;
    }
};

using Visits = std::vector<std::string>;

TEST_F(SubclassTest, TheLastAddedRunsFirstAndTheWindowsOwnLast) {
    ASSERT_TRUE(rt::SubclassWindow(hwnd, Noting, 1, 0));
    ASSERT_TRUE(rt::SubclassWindow(hwnd, Noting, 2, 0));
    ASSERT_TRUE(rt::SubclassWindow(hwnd, Noting, 1, 0));  // the same one again: no second entry
    EXPECT_EQ(Send(), (Visits{"p2/0", "p1/0", "own0"}));
    EXPECT_TRUE(rt::UnsubclassWindow(hwnd, Noting, 2));
    EXPECT_FALSE(rt::UnsubclassWindow(hwnd, Noting, 2));
    EXPECT_EQ(Send(), (Visits{"p1/0", "own0"}));
    EXPECT_TRUE(rt::UnsubclassWindow(hwnd, Noting, 1));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
    EXPECT_FALSE(rt::SubclassWindow(nullptr, Noting, 1, 0));
}

TEST_F(SubclassTest, AProcedureRemovesItselfWhileItRunsAndMessagesNest) {
    rt::SubclassWindow(hwnd, Noting, 1, 0);
    rt::SubclassWindow(hwnd, Noting, 2, 1);  // goes on its first message, which still travels on
    rt::SubclassWindow(hwnd, Noting, 3, 2);  // sends a nested message first
    EXPECT_EQ(Send(), (Visits{"p3/0", "p3/1", "p2/1", "p1/1", "own1", "p1/0", "own0"}));
    EXPECT_EQ(Send(), (Visits{"p3/0", "p3/1", "p1/1", "own1", "p1/0", "own0"}));
}

TEST_F(SubclassTest, LivesWithThePlatformsSubclassingAndGoesWithTheWindow) {
    rt::SubclassWindow(hwnd, Noting, 1, 0);
    ASSERT_TRUE(SetWindowSubclass(hwnd, Platform, 9, 0));
    EXPECT_EQ(Send(), (Visits{"platform", "p1/0", "own0"}));
    // Ours goes while the platform's stands on top: messages still reach the window's own.
    rt::UnsubclassWindow(hwnd, Noting, 1);
    EXPECT_EQ(Send(), (Visits{"platform", "own0"}));
    rt::SubclassWindow(hwnd, Noting, 4, 0);
    EXPECT_EQ(Send(), (Visits{"platform", "p4/0", "own0"}));
    RemoveWindowSubclass(hwnd, Platform, 9);
    visits.clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(visits, (Visits{"p4/destroy"}));
    EXPECT_FALSE(rt::UnsubclassWindow(hwnd, Noting, 4));
}

}  // namespace
