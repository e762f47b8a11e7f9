#include "runtime/scrollbar.h"

#include <commctrl.h>

#include <algorithm>

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

namespace {
constexpr UINT kReflected = WM_USER + 0x1C00;
}

ScrollBar::ScrollBar(Container& c, std::string name, int index, Orientation o)
    : Control(c, std::move(name), index, Kind::Windowed), orientation_(o) {
    CreateChild("SCROLLBAR", o == Horizontal ? SBS_HORZ : SBS_VERT, 0);
    apply();
}
ScrollBar::ScrollBar(const ScrollBar& t, int index)
    : Control(t, index),
      Change(t.Change),
      Scroll(t.Scroll),
      orientation_(t.orientation_),
      min_(t.min_),
      max_(t.max_),
      value_(t.value_),
      small_(t.small_),
      large_(t.large_) {
    CreateChild("SCROLLBAR", orientation_ == Horizontal ? SBS_HORZ : SBS_VERT, 0);
    apply();
}
void ScrollBar::apply() {
    SCROLLINFO si{
        sizeof(si), SIF_RANGE | SIF_POS | SIF_PAGE, std::min(min_, max_), std::max(min_, max_), 0, value_, 0};
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}
void ScrollBar::Min(int16_t v) {
    min_ = v;
    if ((min_ <= max_ && value_ < min_) || (min_ > max_ && value_ > min_)) value_ = min_;
    apply();
}
void ScrollBar::Max(int16_t v) {
    max_ = v;
    if ((min_ <= max_ && value_ > max_) || (min_ > max_ && value_ < max_)) value_ = max_;
    apply();
}
void ScrollBar::Value(int16_t v) {
    CheckRange(v, std::min(min_, max_), std::max(min_, max_), Name());
    if (v == value_) return;
    value_ = v;
    apply();
    RaiseEvent(Change);
}
void ScrollBar::SmallChange(int16_t v) {
    CheckRange(v, 1, 32767, Name());
    small_ = v;
}
void ScrollBar::LargeChange(int16_t v) {
    CheckRange(v, 1, 32767, Name());
    large_ = v;
}
void ScrollBar::scrolled(int code) {
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    int dir = min_ <= max_ ? 1 : -1;
    int v = value_;
    switch (code) {
        case SB_LINELEFT:
            v -= small_ * dir;
            break;
        case SB_LINERIGHT:
            v += small_ * dir;
            break;
        case SB_PAGELEFT:
            v -= large_ * dir;
            break;
        case SB_PAGERIGHT:
            v += large_ * dir;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
            GetScrollInfo(hwnd_, SB_CTL, &si);
            v = si.nTrackPos;
            break;
        }
        default:
            return;
    }
    v = std::clamp(v, lo, hi);
    if (v == value_) return;
    value_ = static_cast<int16_t>(v);
    apply();
    RaiseEvent(code == SB_THUMBTRACK ? Scroll : Change);
}
bool ScrollBar::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == kReflected + WM_HSCROLL || msg == kReflected + WM_VSCROLL) {
        scrolled(LOWORD(wp));
        result = 0;
        return true;
    }
    return false;
}

}  // namespace rt
