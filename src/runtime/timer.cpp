#include "runtime/timer.h"

#include <unordered_map>

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

namespace {
std::unordered_map<UINT_PTR, Timer*>& Timers() {
    static std::unordered_map<UINT_PTR, Timer*> m;
    return m;
}
UINT_PTR nextTimerId = 1;
}  // namespace

void detail::OnTimerMessage(uintptr_t id) {
    auto it = Timers().find(static_cast<UINT_PTR>(id));
    if (it != Timers().end()) it->second->tick();
}

Timer::Timer(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Hidden), interval_(0), on_(true) {}
Timer::Timer(const Timer& t, int index)
    : Control(t, index), TimerEvent(t.TimerEvent), interval_(t.interval_), on_(t.on_) {
    arm();
}
Timer::~Timer() {
    if (id_) {
        KillTimer(static_cast<HWND>(detail::RuntimeWindow()), id_);
        Timers().erase(id_);
    }
}

void Timer::arm() {
    HWND w = static_cast<HWND>(detail::RuntimeWindow());
    if (id_) {
        KillTimer(w, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (!on_ || interval_ == 0) return;
    id_ = nextTimerId++;
    Timers()[id_] = this;
    SetTimer(w, id_, interval_, nullptr);
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
