#include "runtime/timer.h"

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

Timer::Timer(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Hidden), interval_(0), on_(true) {}
Timer::Timer(const Timer& t, int index)
    : Control(t, index), TimerEvent(t.TimerEvent), interval_(t.interval_), on_(t.on_) {
    arm();
}
Timer::~Timer() = default;

void Timer::arm() {
    platform_.Stop();
    if (on_ && interval_ != 0) platform_.Start(static_cast<HWND>(detail::RuntimeWindow()), interval_);
}

void Timer::Interval(int64_t ms) {
    CheckRange(ms, 0, 65535, Name());
    interval_ = static_cast<uint32_t>(ms);
    arm();
}
void Timer::Enabled(bool v) {
    on_ = v;
    arm();
}

void Timer::tick() {
    // A tick that arrives while the handler runs (through a modal loop or DoEvents inside it) is dropped.
    if (running_ || !on_) return;
    running_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    RaiseEvent(TimerEvent);
}

}  // namespace rt
