// A platform edit window (in its Unicode form when the system's windows are Unicode) made as a
// child of a given container, reporting text changes and focus changes as events. Both the edit
// and the container are hooked through the platform's subclass chain under this instance's own
// key, so several instances on one container neither recurse nor unhook each other, and each
// hears only its own edit. Both windows also carry the "cUniTextBox" property naming the instance.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/handles.h"

namespace controls {

class cUniTextBox {
public:
    cUniTextBox();
    ~cUniTextBox();  // unhooks and destroys the edit window
    cUniTextBox(const cUniTextBox&) = delete;
    cUniTextBox& operator=(const cUniTextBox&) = delete;

    // Makes the edit window (WS_CHILD added to Style) at x, y, Width, Height in the container's client
    // pixels, with the container's font, and hooks both windows. The edit window; nullptr on failure.
    HWND CreateTextBox(HWND ContainerHwnd, int32_t x, int32_t y, int32_t Width, int32_t Height,
                       uint32_t Style, uint32_t ExtendedStyle, const std::wstring& Text = {});
    // Every message of either window passes here first: raises the events and names the next
    // procedure's character set in Unicode. Returns 0.
    LRESULT DoWindowMsg(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam, bool& Unicode);
    std::wstring Text() const;
    void Text(const std::wstring& newVal);
    void SetFocus();

    std::function<void()> Changed;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    HWND EditWindow() const noexcept { return edit_.get(); }
    HWND ContainerWindow() const noexcept { return container_; }
    bool Unicode() const noexcept { return unicode_; }

private:
    friend struct UniTextBoxHooks;
    void DetachTextBox(bool destroy);

    rt::WindowHandle edit_;  // made here, destroyed here unless it goes with its container
    HWND container_ = nullptr;
    bool unicode_ = false;
    bool containerHooked_ = false;
};

}  // namespace controls
