// A platform timer that calls a function from the message loop: for code that must tick on a given
// window's timer messages, or on the thread's, rather than on the runtime's timer window (rt::Timer).
//
//   rt::CallbackTimer poll_{[this] { Poll(); }};
//   poll_.Start(window, 100);   // on the window's timer messages; nullptr: the thread's
//   poll_.Stop();
//
// Each timer keeps its own identifier for its life, so the timers on a window never collide. The
// function may stop, restart or destroy its own timer (and the timer's owner) inside its tick. A
// tick of a timer that was stopped or has gone finds nothing and kills the platform timer; the end
// of a timer stops it.
#pragma once

#include <windows.h>

#include <functional>

namespace rt {

class CallbackTimer {
public:
    explicit CallbackTimer(std::function<void()> onTick);
    CallbackTimer(const CallbackTimer&) = delete;
    CallbackTimer& operator=(const CallbackTimer&) = delete;
    ~CallbackTimer();

    // Starts ticking every intervalMs on the window, or starts the count again when it runs there;
    // a timer running on another window stops there first. False when the platform refuses.
    bool Start(HWND window, UINT intervalMs);
    void Stop();
    bool Running() const noexcept { return running_; }
    // The window of the last start (kept after a stop); the identifier the platform timer has.
    HWND Window() const noexcept { return window_; }
    UINT_PTR Id() const noexcept { return id_; }

private:
    static void CALLBACK Thunk(HWND window, UINT, UINT_PTR id, DWORD);

    std::function<void()> onTick_;
    const UINT_PTR ownId_;
    HWND window_ = nullptr;
    UINT_PTR id_;
    bool running_ = false;
};

}  // namespace rt
