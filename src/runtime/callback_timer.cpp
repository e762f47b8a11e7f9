#include "runtime/callback_timer.h"

#include <map>
#include <utility>

namespace rt {

namespace {

// The running timers by their window and identifier. Never destroyed: a timer that ends during the
// program's own end still finds it.
std::map<std::pair<HWND, UINT_PTR>, CallbackTimer*>& RunningTimers() {
    static auto* running = new std::map<std::pair<HWND, UINT_PTR>, CallbackTimer*>;
    return *running;
}

// Identifiers for window timers, apart from the runtime's own and from the small ones code sets by
// hand.
UINT_PTR nextId = 0x43540000;

}  // namespace

CallbackTimer::CallbackTimer(std::function<void()> onTick)
    : onTick_(std::move(onTick)), ownId_(nextId++), id_(ownId_) {}

CallbackTimer::~CallbackTimer() {
    Stop();
}

bool CallbackTimer::Start(HWND window, UINT intervalMs) {
    if (running_ && window != window_) Stop();
    // A window timer has this timer's own identifier; a thread timer the one the platform gives,
    // and asked with it again, a running one is set anew.
    const UINT_PTR asked = window ? ownId_ : running_ ? id_ : 0;
    const UINT_PTR given = SetTimer(window, asked, intervalMs, &CallbackTimer::Thunk);
    if (given == 0) return false;
    if (running_) RunningTimers().erase({window_, id_});
    window_ = window;
    id_ = window ? ownId_ : given;
    running_ = true;
    RunningTimers()[{window_, id_}] = this;
    return true;
}

void CallbackTimer::Stop() {
    if (!running_) return;
    KillTimer(window_, id_);
    RunningTimers().erase({window_, id_});
    running_ = false;
}

void CALLBACK CallbackTimer::Thunk(HWND window, UINT, UINT_PTR id, DWORD) {
    const auto found = RunningTimers().find({window, id});
    if (found == RunningTimers().end()) {
        KillTimer(window, id);
        return;
    }
    // A copy: the tick may destroy the timer and the function with it.
    const std::function<void()> tick = found->second->onTick_;
    if (tick) tick();
}

}  // namespace rt
