// The platform's drag and drop onto user controls. A user control whose OLEDropMode is manual makes
// the window it draws on a drop target: its own window, or its container's when it is windowless.
// The window's one drop target finds the control under the pointer as the mouse finds windowless
// controls (the top of the z-order first, into windowless user controls) and raises that control's
// OLEDragOver (entering, over, leaving) and OLEDragDrop.
#pragma once

#include <ole2.h>

#include <cstdint>

namespace rt {

class Container;
class UserControl;

enum OLEDropConstants : int16_t { vbOLEDropNone = 0, vbOLEDropManual = 1 };
enum DragOverConstants : int16_t { vbEnter = 0, vbLeave = 1, vbOver = 2 };

// One control's share of its window's drop target: the window stays a drop target while a
// registration for it lives.
class DropRegistration {
public:
    DropRegistration() = default;
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;
    ~DropRegistration() { reset(); }

    // `window` shows the controls of `owner`, among them `control`. False when the platform
    // refused the window as a drop target.
    bool Register(HWND window, Container& owner, UserControl& control);
    void reset();
    explicit operator bool() const noexcept { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
    UserControl* control_ = nullptr;
};

// The drop target that the runtime registered for a window (nullptr: none); for tests that drag
// without the platform's drag loop.
IDropTarget* DropTargetOf(HWND window);

}  // namespace rt
