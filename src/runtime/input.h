// The mouse and keyboard as event arguments carry them, decoded once for every window procedure of
// the runtime and of the controls, and the pointer shape a form or control shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/handles.h"
#include "runtime/picture.h"

namespace rt {

// Mouse button and shift-key states as event arguments carry them.
enum : int16_t { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum : int16_t { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// The Shift, Ctrl and Alt keys held now.
int16_t ShiftState();
// The buttons held, from a mouse message's key flags (wParam).
int16_t ButtonState(WPARAM keys);
// The button a press, release or double-click message is about; 0 for other messages.
int16_t ButtonOf(UINT msg);
// Buttons back to a mouse message's key flags.
WPARAM KeysOf(int16_t buttons);
// The point of a mouse message (lParam): client pixels, negative left of or above the window.
POINT MousePoint(LPARAM lp);
// Where the pointer is now, in the window's client pixels.
POINT CursorIn(HWND window);

// A form's or control's MousePointer (0 default, 1 to 15 the standard shapes, 99 custom) and
// MouseIcon, with the cursor made from the icon, which it owns. The cursor is made when it is
// first asked for: a page of controls that never show theirs makes none.
class MouseCursor {
public:
    MouseCursor() = default;
    MouseCursor(const MouseCursor& o);  // the same settings, with a cursor of its own
    MouseCursor& operator=(const MouseCursor&) = delete;

    int16_t Pointer() const noexcept { return pointer_; }
    void Pointer(int16_t v, const std::string& source);  // raises 380 outside 0 to 15 and 99
    const Picture& Icon() const noexcept { return icon_; }
    void Icon(Picture p);
    // The icon's cursor while the pointer is custom (99); nullptr otherwise or without an icon.
    HCURSOR Custom() const noexcept;
    // Custom, or the standard shape of pointers 1 to 15; nullptr for the default (0).
    HCURSOR Shape() const;

private:
    HCURSOR cursor() const noexcept;

    int16_t pointer_ = 0;
    Picture icon_;
    mutable CursorHandle cursor_;
    mutable bool made_ = false;  // cursor_ is the icon's (none when it has no cursor)
};

}  // namespace rt
