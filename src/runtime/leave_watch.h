// Watching for the pointer to leave a control, for hover looks that must end when it goes.
//
//   rt::LeaveWatch leave_{*this, 25, [this] { hover_ = false; Refresh(); }};
//   void UserControl_MouseMove(...) override { hover_ = true; leave_.Start(); }
//
// A timer of the runtime at the control's own interval compares the pointer with the control's
// rectangle in its container's window (a windowless control's place there, a windowed control's
// window), the right and bottom edges included; the first tick that finds the pointer outside stops
// the watch and calls back, once. Being an rt::Timer, a tick never re-enters the callback, also
// through a DoEvents inside it. The timer is a hidden constituent of the control when the control
// holds controls (a user control), else of the control's container.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "runtime/control.h"

namespace rt {

class Timer;

class LeaveWatch {
public:
    LeaveWatch(Control& control, uint32_t intervalMs, std::function<void()> onLeave);
    LeaveWatch(const LeaveWatch&) = delete;
    LeaveWatch& operator=(const LeaveWatch&) = delete;
    ~LeaveWatch();

    // Starts watching, or restarts the count when it is on.
    void Start();
    void Stop();
    bool Watching() const;
    // Whether the pointer is over the control's rectangle now.
    bool PointerInside() const;

private:
    Control& control_;
    std::unique_ptr<Timer> timer_;
    std::function<void()> onLeave_;
};

}  // namespace rt
