#include "controls/alpha/cMouseExit.h"

#include <algorithm>
#include <cstdint>

#include "runtime/lifetime.h"

namespace controls {

namespace {

constexpr UINT kTrackInterval = 200;

// The bindings of the hook procedure to its instances. Namespace-scope, so they outlive every
// tracker (the shared one included) at the end of the program.
struct HookEntry {
    HHOOK hook;
    uint64_t order;  // installation order: later hooks are called first
    std::weak_ptr<cMouseExit> tracker;
};
std::vector<HookEntry> gHooks;
uint64_t gHookOrder = 0;
uint64_t gRunningHook = 0;  // the order of the hook whose step is running, 0 when none

template <class... A, class... B>
void Raise(const std::function<void(A...)>& event, B&&... args) {
    if (!event) return;
    rt::HandlerScope scope;
    auto handler = event;  // the handler may replace itself
    handler(std::forward<B>(args)...);
}

}  // namespace

struct MouseExitCallbacks {
    // The hook chain calls the newest hook first, and each step passes the message on with
    // CallNextHookEx inside it: so a nested call belongs to the next older hook of ours.
    static LRESULT CALLBACK TrackerMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
        const uint64_t outer = gRunningHook;
        const HookEntry* entry = nullptr;
        for (const HookEntry& e : gHooks)
            if ((outer == 0 || e.order < outer) && (!entry || e.order > entry->order)) entry = &e;
        std::shared_ptr<cMouseExit> tracker = entry ? entry->tracker.lock() : nullptr;
        if (!tracker) return CallNextHookEx(nullptr, nCode, wParam, lParam);
        gRunningHook = entry->order;
        const LRESULT result = tracker->MouseInControlII(nCode, wParam, lParam);
        gRunningHook = outer;
        return result;
    }
};

std::shared_ptr<cMouseExit> cMouseExit::New() {
    return std::make_shared<cMouseExit>(Key{});
}

cMouseExit::cMouseExit(Key) {}

cMouseExit::~cMouseExit() {
    // Everything this instance started ends with it: the timers on whatever window they ran go
    // with their owners.
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        std::erase_if(gHooks, [&](const HookEntry& e) { return e.hook == hook_; });
    }
}

rt::CallbackTimer& cMouseExit::TimerOn(HWND window) {
    for (const auto& [on, timer] : timers_)
        if (on == window) return *timer;
    timers_.emplace_back(window, std::make_unique<rt::CallbackTimer>([this, window] { TimerTick(window); }));
    return *timers_.back().second;
}

void cMouseExit::TimerTick(HWND window) {
    if (owner_ == 0) {
        TimerOn(window).Stop();
        return;
    }
    const std::shared_ptr<cMouseExit> self = shared_from_this();  // alive while its handlers run
    MouseInControl();
}

void cMouseExit::Iniitate(HWND ContainerHwnd, int32_t, int32_t, intptr_t ptrOwner) {
    tracked_ = ContainerHwnd;
    owner_ = ptrOwner;
    if (!tracked_) return;
    rt::CallbackTimer& timer = TimerOn(tracked_);
    timer.Start(tracked_, kTrackInterval);
    timerId_ = timer.Id();
    if (!hook_) {
        hook_ = SetWindowsHookExA(WH_MOUSE, &MouseExitCallbacks::TrackerMouseHookProc, nullptr,
                                  GetCurrentThreadId());
        if (hook_) gHooks.push_back({hook_, ++gHookOrder, weak_from_this()});
    }
}

void cMouseExit::CancelNoEvent(intptr_t Owner) {
    if (Owner != owner_) return;
    if (tracked_) {
        TimerOn(tracked_).Stop();
        tracked_ = nullptr;
    }
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        std::erase_if(gHooks, [&](const HookEntry& e) { return e.hook == hook_; });
        hook_ = nullptr;
    }
    owner_ = 0;
}

void cMouseExit::Exit() {
    CancelNoEvent(owner_);
    Raise(MouseExited);
}

void cMouseExit::MouseInControl() {
    if (!tracked_) return;
    POINT p{};
    GetCursorPos(&p);
    if (WindowFromPoint(p) == tracked_) return;
    bool keep = false;
    Raise(AnticpateMessage, keep);
    if (!keep) Exit();
}

LRESULT cMouseExit::MouseInControlII(int nCode, WPARAM MouseMsg, LPARAM MHSptr) {
    if (nCode != 0) return CallNextHookEx(hook_, nCode, MouseMsg, MHSptr);
    LRESULT result = 0;
    bool keep = false;
    if (MHSptr != 0) {
        keep = MouseMsg == WM_LBUTTONUP;
        Raise(AnticpateMessage, keep);
        result = CallNextHookEx(hook_, nCode, MouseMsg, MHSptr);
    }
    if (!keep) Exit();
    return result;
}

}  // namespace controls
