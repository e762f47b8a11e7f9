// Real pointer input, through the system's input queue as a user's mouse would give it: the tests
// that must see what the window manager does with it (capture, hover, the hit test) use this.
#pragma once

#include <windows.h>

namespace testsupport {

// A move to the screen point, with the button flags (MOUSEEVENTF_LEFTDOWN...) given there.
inline void SendPointerInput(POINT screen, DWORD flags = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = MulDiv(screen.x, 65535, sw - 1);
    in.mi.dy = MulDiv(screen.y, 65535, sh - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &in, sizeof in);
}

}  // namespace testsupport
