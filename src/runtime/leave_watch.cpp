#include "runtime/leave_watch.h"

#include "runtime/controls.h"
#include "runtime/input.h"

namespace rt {

namespace {
Container& TimerHome(Control& control) {
    if (auto* inner = dynamic_cast<Container*>(&control)) return *inner;
    return control.Parent();
}
}  // namespace

LeaveWatch::LeaveWatch(Control& control, uint32_t intervalMs, std::function<void()> onLeave)
    : control_(control),
      timer_(std::make_unique<Timer>(TimerHome(control), "")),
      onLeave_(std::move(onLeave)) {
    timer_->Enabled(false);
    timer_->Interval(intervalMs);
    timer_->TimerEvent = [this](int) {
        if (PointerInside()) return;
        Stop();
        if (onLeave_) onLeave_();
    };
}

LeaveWatch::~LeaveWatch() = default;

void LeaveWatch::Start() {
    timer_->Enabled(true);
}

void LeaveWatch::Stop() {
    timer_->Enabled(false);
}

bool LeaveWatch::Watching() const {
    return timer_->Enabled();
}

bool LeaveWatch::PointerInside() const {
    Container& home = control_.Parent();
    RECT r = control_.PixelRect();
    const POINT origin = home.ContainerOrigin();
    OffsetRect(&r, origin.x, origin.y);
    const POINT pt = CursorIn(home.ContainerWindow());
    return pt.x >= r.left && pt.x <= r.right && pt.y >= r.top && pt.y <= r.bottom;
}

}  // namespace rt
