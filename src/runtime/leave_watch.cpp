#include "runtime/leave_watch.h"

#include "runtime/controls.h"
#include "runtime/input.h"

namespace rt {

namespace {
Container& TimerHome(Control& control) {
    if (auto* inner = dynamic_cast<Container*>(&control)) return *inner;
    return control.Parent();
}

bool PointerOverRect(Control& control) {
    Container& home = control.Parent();
    RECT r = control.PixelRect();
    const POINT origin = home.ContainerOrigin();
    OffsetRect(&r, origin.x, origin.y);
    const POINT pt = CursorIn(home.ContainerWindow());
    return pt.x >= r.left && pt.x <= r.right && pt.y >= r.top && pt.y <= r.bottom;
}
}  // namespace

LeaveWatch::LeaveWatch(Control& control, uint32_t intervalMs, std::function<void()> onLeave)
    : LeaveWatch(
          control, intervalMs, [&control] { return PointerOverRect(control); }, std::move(onLeave)) {}

LeaveWatch::LeaveWatch(Control& control, uint32_t intervalMs, InsideTest inside,
                       std::function<void()> onLeave)
    : own_(std::make_unique<Timer>(TimerHome(control), "")),
      timer_(*own_),
      inside_(std::move(inside)),
      onLeave_(std::move(onLeave)) {
    Arm(intervalMs);
}

LeaveWatch::LeaveWatch(Timer& timer, uint32_t intervalMs, InsideTest inside, std::function<void()> onLeave)
    : timer_(timer), inside_(std::move(inside)), onLeave_(std::move(onLeave)) {
    Arm(intervalMs);
}

// A timer the watch does not own goes on after it: it is stopped and no longer calls here.
LeaveWatch::~LeaveWatch() {
    if (own_) return;
    timer_.Enabled(false);
    timer_.TimerEvent = nullptr;
}

void LeaveWatch::Arm(uint32_t intervalMs) {
    timer_.Enabled(false);
    timer_.Interval(intervalMs);
    timer_.TimerEvent = [this](int) {
        if (PointerInside()) return;
        Stop();
        if (onLeave_) onLeave_();
    };
}

void LeaveWatch::Start() {
    timer_.Enabled(true);
}

void LeaveWatch::Stop() {
    timer_.Enabled(false);
}

bool LeaveWatch::Watching() const {
    return timer_.Enabled();
}

bool LeaveWatch::PointerInside() const {
    return inside_();
}

}  // namespace rt
