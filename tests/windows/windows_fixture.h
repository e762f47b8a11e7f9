// The secondary windows over a started main window: finding a loaded window by its class, its
// outer rectangle in pixels, and clicks on its controls.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/handle_counter.h"
#include "support/main_window_fixture.h"

namespace windowstest {

const std::string kSepa = "***Sepa***";
const std::string kCode = "***code***";

// The loaded window of the class, or nullptr.
template <class F>
F* Loaded() {
    for (rt::Form* f : rt::Forms())
        if (auto* w = dynamic_cast<F*>(f)) return w;
    return nullptr;
}

inline RECT OuterRect(const rt::Form& f) {
    RECT r{};
    GetWindowRect(f.hWnd(), &r);
    return r;
}

// True when the window's outer rectangle lies in the middle of the screen (to a pixel).
inline bool Centred(const rt::Form& f) {
    const RECT r = OuterRect(f);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    return std::abs((r.left + r.right) - sw) <= 2 && std::abs((r.top + r.bottom) - sh) <= 2;
}

// A click of a dialog button: a left press and release in its middle.
inline void Press(HWND button) {
    RECT r{};
    GetClientRect(button, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageA(button, WM_LBUTTONUP, 0, middle);
}

// A left click at the client point of the window.
inline void ClickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Lets queued messages run (paints, deferred destruction).
inline void Pump(int milliseconds = 50) {
    shelltest::PumpUntil([] { return false; }, milliseconds);
}

// Runs an open-and-close cycle once (what stays for the process: classes, shared fonts), then 50
// times under the leak counter, which must see work done and nothing left.
inline void ExpectNoHandlesLeft(const std::function<void()>& cycle) {
    cycle();
    testsupport::HandleCounter counter;
    ASSERT_GT(testsupport::HandleCounter::PatchedImports(), 0);
    for (int i = 0; i < 50; ++i) cycle();
    Pump();
    EXPECT_GT(counter.Created(), 0u);
    EXPECT_EQ(counter.Total(), 0u) << counter.Report();
}

}  // namespace windowstest
