// Watching for the pointer to leave a control, for hover looks that must end when it goes.
//
//   rt::LeaveWatch leave_{*this, 25, [this] { hover_ = false; Refresh(); }};
//   void UserControl_MouseMove(...) override { hover_ = true; leave_.Start(); }
//
// A timer of the runtime at the control's own interval asks whether the pointer is still inside;
// the first tick that finds it outside stops the watch and calls back, once. Being an rt::Timer, a
// tick never re-enters the callback, also through a DoEvents inside it.
//
// By default "inside" is the control's rectangle in its container's window (a windowless control's
// place there, a windowed control's window), the right and bottom edges included. An inside test of
// the control's own says it for a shape, a region or the window under the pointer; it runs once at
// every tick, so a control may also bring its look up to date there:
//
//   rt::LeaveWatch leave_{*this, 10, [this] { return PtInRegion(face_, ...) != FALSE; }, [this] { ... }};
//
// The timer is a hidden constituent of the control when the control holds controls (a user
// control), else of the control's container; or a named timer the control has already, that its
// form and its users see.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "runtime/control.h"

namespace rt {

class Timer;

class LeaveWatch {
public:
    using InsideTest = std::function<bool()>;

    LeaveWatch(Control& control, uint32_t intervalMs, std::function<void()> onLeave);
    LeaveWatch(Control& control, uint32_t intervalMs, InsideTest inside, std::function<void()> onLeave);
    LeaveWatch(Timer& timer, uint32_t intervalMs, InsideTest inside, std::function<void()> onLeave);
    LeaveWatch(const LeaveWatch&) = delete;
    LeaveWatch& operator=(const LeaveWatch&) = delete;
    ~LeaveWatch();

    // Starts watching, or restarts the count when it is on.
    void Start();
    void Stop();
    bool Watching() const;
    // Whether the pointer is inside now.
    bool PointerInside() const;

private:
    void Arm(uint32_t intervalMs);

    std::unique_ptr<Timer> own_;
    Timer& timer_;
    InsideTest inside_;
    std::function<void()> onLeave_;
};

}  // namespace rt
