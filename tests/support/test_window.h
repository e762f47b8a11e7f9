// A top-level window of a test's own class, for the tests that hook or follow real windows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/handles.h"

namespace testsupport {

// A window of the class, which is registered with the procedure on first use; hold it in an
// rt::WindowHandle so that it goes at the end of the test.
inline HWND MakeTestWindow(const char* className, WNDPROC proc, DWORD style, int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, className, &wc)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = className;
        EXPECT_NE(RegisterClassA(&wc), 0) << className;
    }
    return CreateWindowExA(0, className, "", style, 0, 0, width, height, nullptr, nullptr, instance, nullptr);
}

}  // namespace testsupport
