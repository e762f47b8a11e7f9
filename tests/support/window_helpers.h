// Shared helpers of the runtime's window tests: pixels of a window's own painting, a solid
// bitmap picture, and pumping the message loop for a while.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "runtime/picture.h"
#include "runtime/ui.h"

namespace testutil {

// The client area as the window paints it (WM_PRINTCLIENT into a memory bitmap).
struct Snapshot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    explicit Snapshot(HWND hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        width = r.right;
        height = r.bottom;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(dc, bmp);
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y) & 0xFFFFFF);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    int count(RECT r, const std::function<bool(COLORREF)>& pred) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (pred(at(x, y))) ++n;
        return n;
    }
};

inline rt::Picture SolidPicture(int w, int h, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH b = CreateSolidBrush(color);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, b);
    DeleteObject(b);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return rt::Picture::FromBitmap(bmp, true);
}

// Runs the message loop until the condition holds or the time is up; returns the condition.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        rt::DoEvents();
    }
    return true;
}

}  // namespace testutil
