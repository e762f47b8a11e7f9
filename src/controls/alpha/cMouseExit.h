// Tells an owner that the pointer has left a window. Two watchers run at once: a 200 ms timer on
// the tracked window compares the window under the pointer with it (a child window counts as
// outside), and a thread mouse hook sees every mouse message before its window does. Before an
// exit stands the owner is asked through AnticpateMessage whether to keep tracking; a standing
// exit stops both watchers and then raises MouseExited.
//
// Each instance's timer and hook find that instance through its own binding, never through an
// address: a tick whose instance is gone kills its timer, and the end of an instance stops every
// timer and hook it started. Instances are shared objects (New), so a callback keeps its instance
// alive while it runs, also when a handler replaces it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/callback_timer.h"

namespace controls {

class cMouseExit : public std::enable_shared_from_this<cMouseExit> {
    struct Key {};

public:
    static std::shared_ptr<cMouseExit> New();
    explicit cMouseExit(Key);
    ~cMouseExit();
    cMouseExit(const cMouseExit&) = delete;
    cMouseExit& operator=(const cMouseExit&) = delete;

    // The owner's identifier (the owner passes its own address); 0 when nobody owns the tracker.
    intptr_t Owner() const noexcept { return owner_; }
    // Starts tracking ContainerHwnd for ptrOwner; x and y are not used. Window 0 stores the owner only.
    void Iniitate(HWND ContainerHwnd, int32_t x, int32_t y, intptr_t ptrOwner);
    // Stops tracking without an event, when Owner is the current owner.
    void CancelNoEvent(intptr_t Owner);
    // One step of the mouse hook; the result is what the hook procedure returns.
    LRESULT MouseInControlII(int nCode, WPARAM MouseMsg, LPARAM MHSptr);
    // One step of the timer.
    void MouseInControl();

    std::function<void()> MouseExited;
    // Declared for owners that confirm whether a point still hits them; never raised.
    std::function<void(int32_t& x, int32_t& y, bool& ValidHitTest)> ValidateHitTest;
    // Before each exit decision: set lParam True to keep tracking.
    std::function<void(bool& lParam)> AnticpateMessage;

    // What the instance has running (for tests): the tracked window and the installed hook.
    HWND TrackedWindow() const noexcept { return tracked_; }
    HHOOK HookHandle() const noexcept { return hook_; }
    // The identifier of this instance's timer on the window tracked last, unique among the live
    // timers; 0 before the first tracking.
    UINT_PTR TimerId() const noexcept { return timerId_; }

private:
    friend struct MouseExitCallbacks;
    void Exit();
    // The timer of this instance on a window, made on first use; a tick on a window.
    rt::CallbackTimer& TimerOn(HWND window);
    void TimerTick(HWND window);

    HWND tracked_ = nullptr;
    intptr_t owner_ = 0;
    HHOOK hook_ = nullptr;
    UINT_PTR timerId_ = 0;
    std::vector<std::pair<HWND, std::unique_ptr<rt::CallbackTimer>>>
        timers_;  // one on every window it tracked
};

}  // namespace controls
