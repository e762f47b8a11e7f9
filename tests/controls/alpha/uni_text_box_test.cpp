// The Unicode text box: its events, several boxes on one container, and unhooking.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "controls/alpha/cUniTextBox.h"
#include "runtime/handles.h"
#include "support/test_window.h"

using controls::cUniTextBox;

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return DefWindowProcA(h, m, w, l);
}

HWND Container() {
    return testsupport::MakeTestWindow("VantrelUniTextBoxTest", &PlainProc, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       300, 200);
}

struct Counts {
    int changed = 0, got = 0, lost = 0;
    void Attach(cUniTextBox& b) {
        b.Changed = [this] { ++changed; };
        b.GotFocus = [this] { ++got; };
        b.LostFocus = [this] { ++lost; };
    }
};

void Type(HWND edit, const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) SendMessageW(edit, WM_CHAR, *p, 1);
}

}  // namespace

TEST(UniTextBox, TypingAndFocusRaiseTheEvents) {
    rt::WindowHandle container(Container());
    cUniTextBox box;
    Counts c;
    c.Attach(box);
    EXPECT_EQ(box.Text(), L"");
    HWND edit =
        box.CreateTextBox(container.get(), 5, 5, 120, 24, WS_VISIBLE | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetParent(edit), container.get());
    EXPECT_EQ(GetPropA(edit, "cUniTextBox"), reinterpret_cast<HANDLE>(&box));
    EXPECT_EQ(box.Text(), L"");

    SetForegroundWindow(container.get());
    box.SetFocus();
    EXPECT_EQ(c.got, 1);
    Type(edit, L"ab\x00e9");
    EXPECT_EQ(c.changed, 3);
    EXPECT_EQ(box.Text(), L"ab\x00e9");
    SetFocus(container.get());
    EXPECT_EQ(c.lost, 1);

    if (box.Unicode()) {
        box.Text(L"\x0416\x263A");
        EXPECT_EQ(box.Text(), L"\x0416\x263A");
    }
}

TEST(UniTextBox, TwoBoxesOnOneContainerEachHearTheirOwnEdit) {
    rt::WindowHandle container(Container());
    auto first = std::make_unique<cUniTextBox>();
    cUniTextBox second;
    Counts a, b;
    a.Attach(*first);
    b.Attach(second);
    HWND e1 = first->CreateTextBox(container.get(), 5, 5, 100, 24, WS_VISIBLE, 0);
    HWND e2 = second.CreateTextBox(container.get(), 5, 40, 100, 24, WS_VISIBLE, 0, L"start");
    ASSERT_TRUE(e1 && e2);
    EXPECT_EQ(second.Text(), L"start");
    Type(e1, L"x");
    Type(e2, L"yz");
    EXPECT_EQ(a.changed, 1);
    EXPECT_EQ(b.changed, 2);
    EXPECT_EQ(GetPropA(container.get(), "cUniTextBox"), reinterpret_cast<HANDLE>(&second));

    // The first one leaving takes only its own hooks: the second still hears its edit.
    first.reset();
    EXPECT_FALSE(IsWindow(e1));
    Type(e2, L"!");
    EXPECT_EQ(b.changed, 3);
    EXPECT_EQ(GetPropA(container.get(), "cUniTextBox"), reinterpret_cast<HANDLE>(&second));
}

TEST(UniTextBox, ASecondCreateReplacesTheEditAndDestroyingTheContainerUnhooks) {
    rt::WindowHandle container(Container());
    cUniTextBox one, two;
    Counts c;
    c.Attach(one);
    HWND old = one.CreateTextBox(container.get(), 0, 0, 50, 20, 0, 0);
    HWND edit = one.CreateTextBox(container.get(), 0, 0, 50, 20, 0, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(IsWindow(old));
    Type(edit, L"q");
    EXPECT_EQ(c.changed, 1);
    ASSERT_NE(two.CreateTextBox(container.get(), 0, 30, 50, 20, 0, 0), nullptr);

    DestroyWindow(container.release());
    EXPECT_EQ(one.EditWindow(), nullptr);
    EXPECT_EQ(two.EditWindow(), nullptr);
    EXPECT_EQ(one.Text(), L"");
    one.Text(L"ignored");
    one.SetFocus();
    EXPECT_EQ(one.CreateTextBox(nullptr, 0, 0, 10, 10, 0, 0),
              nullptr);  // no container: a child cannot be made
}
