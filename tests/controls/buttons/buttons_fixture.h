// The page buttons on a form of their own: both arrays with a stored template (as the main window
// holds them), a text box that takes the focus away, a 10 ms timer, pointer moves, pixels read
// from the button's window and paints counted on it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/buttons/CandyButton.h"
#include "controls/buttons/vxbutton.h"
#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/window_helpers.h"

namespace buttonstest {

constexpr COLORREF kFormBack = RGB(30, 160, 90);
constexpr int kFormX = 100, kFormY = 100;

inline COLORREF Rgb(int r, int g, int b) {
    return RGB(r, g, b);
}

class ButtonForm : public rt::Form {
public:
    ButtonForm() : Form("ButtonForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(kFormX), rt::ToTwipsY(kFormY), rt::ToTwipsX(420), rt::ToTwipsY(300));
        BackColor(kFormBack);
        Command1[0].Visible(false);
        Macbt[0].Visible(false);
        other.Move(rt::ToTwipsX(300), rt::ToTwipsY(250), rt::ToTwipsX(100), rt::ToTwipsY(24));
        ticker.Interval(10);
        ticker.TimerEvent = [this](int) { ++ticks; };
    }
    rt::ControlArray<controls::vxbutton> Command1{*this, "Command1", std::make_shared<const rt::PropertyBag>()};
    rt::ControlArray<controls::CandyButton> Macbt{*this, "Macbt", std::make_shared<const rt::PropertyBag>()};
    rt::TextBox other{*this, "other"};
    rt::Timer ticker{*this, "ticker"};
    int ticks = 0;
};

inline void Pump(int ms) {
    testutil::PumpUntil([] { return false; }, static_cast<DWORD>(ms));
}
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
    return testutil::PumpUntil(done, static_cast<DWORD>(ms));
}

// A pixel of the window as drawn on it.
inline COLORREF Px(HWND wnd, int x, int y) {
    HDC dc = GetDC(wnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

// Puts the pointer at a point of a window's client area and tells the window it moved there.
inline void PointerTo(HWND wnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(wnd, &p);
    SetCursorPos(p.x, p.y);
    PostMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

// Counts the paint messages a window receives.
class PaintCounter {
public:
    explicit PaintCounter(HWND wnd) : wnd_(wnd) { SetWindowSubclass(wnd_, Proc, 77, reinterpret_cast<DWORD_PTR>(this)); }
    ~PaintCounter() {
        if (IsWindow(wnd_)) RemoveWindowSubclass(wnd_, Proc, 77);
    }
    int paints = 0;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
        if (m == WM_PAINT) ++reinterpret_cast<PaintCounter*>(ref)->paints;
        return DefSubclassProc(w, m, wp, lp);
    }
    HWND wnd_;
};

// Whether the window's region equals the given one (exclusive or of the two is empty).
inline bool RegionEquals(HWND wnd, HRGN want) {
    HRGN have = CreateRectRgn(0, 0, 0, 0);
    bool same = false;
    if (GetWindowRgn(wnd, have) != ERROR) {
        HRGN diff = CreateRectRgn(0, 0, 0, 0);
        same = CombineRgn(diff, have, want, RGN_XOR) == NULLREGION;
        DeleteObject(diff);
    }
    DeleteObject(have);
    DeleteObject(want);
    return same;
}

struct ButtonsTest : ::testing::Test {
    ButtonForm* form = nullptr;
    void SetUp() override {
        form = &rt::Load<ButtonForm>();
        form->Show();
        // The pointer rests on the form, away from every button.
        PointerTo(form->hWnd(), 400, 290);
        rt::DoEvents();
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    // Places a member at client pixels (x, y) with a size in pixels and shows it.
    template <class Array>
    auto& Place(Array& array, int index, int x, int y, int w, int h) {
        auto& b = index == 0 ? array[0] : array.Load(index);
        b.Move(rt::ToTwipsX(x), rt::ToTwipsY(y), rt::ToTwipsX(w), rt::ToTwipsY(h));
        b.Visible(true);
        rt::DoEvents();
        return b;
    }
    // Pointer off every button, onto the form; the focus on the text box.
    void Away() {
        SetFocus(form->other.hWnd());
        PointerTo(form->hWnd(), 400, 290);
    }
};

}  // namespace buttonstest
