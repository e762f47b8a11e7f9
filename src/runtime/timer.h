#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"

namespace rt {

// Ticks only from the message loop; while its handler runs (also through a message box or
// DoEvents inside it) further ticks of this timer are dropped.
class Timer : public Control {
public:
    // Enabled with interval 0 (not ticking) until the construction code sets Interval.
    Timer(Container& c, std::string name, int index = -1);
    Timer(const Timer& templ, int index);
    ~Timer() override;

    uint32_t Interval() const noexcept { return interval_; }
    void Interval(int64_t ms);  // 0 to 65535, else 380; restarts the count
    bool Enabled() const noexcept { return on_; }
    void Enabled(bool v) override;  // restarts the count
    Event<> TimerEvent;             // the Timer event
    bool Running() const noexcept { return running_; }

public:
    void tick();  // from the runtime window's timer message

private:
    void arm();
    uint32_t interval_;
    bool on_;
    bool running_ = false;
    UINT_PTR id_ = 0;
};

}  // namespace rt
