#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"

namespace rt {

class ScrollBar : public Control {
public:
    enum Orientation { Horizontal, Vertical };
    ScrollBar(Container& c, std::string name, int index = -1, Orientation o = Horizontal);
    ScrollBar(const ScrollBar& templ, int index);

    int16_t Min() const noexcept { return min_; }
    void Min(int16_t v);
    int16_t Max() const noexcept { return max_; }
    void Max(int16_t v);
    int16_t Value() const noexcept { return value_; }
    void Value(int16_t v);  // raises 380 outside Min..Max; a change raises Change
    int16_t SmallChange() const noexcept { return small_; }
    void SmallChange(int16_t v);
    int16_t LargeChange() const noexcept { return large_; }
    void LargeChange(int16_t v);

    Event<> Change;
    Event<> Scroll;

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void scrolled(int code);  // from the container's WM_HSCROLL/WM_VSCROLL

private:
    void apply();
    Orientation orientation_;
    int16_t min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
};

}  // namespace rt
