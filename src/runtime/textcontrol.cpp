#include "runtime/textcontrol.h"

#include <algorithm>

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

TextControl::TextControl(Container& c, std::string name, int index, Kind kind, uint32_t back, uint32_t fore)
    : Control(c, std::move(name), index, kind), backColor_(back), foreColor_(fore) {
    subscribe();
}

TextControl::TextControl(const TextControl& t, int index)
    : Control(t, index),
      font_(t.font_.Clone()),
      backColor_(t.backColor_),
      foreColor_(t.foreColor_),
      cursor_(t.cursor_) {
    subscribe();
}

void TextControl::subscribe() {
    fontSub_ = font_.OnChange([this] { fontChanged(); });
}

void TextControl::SetFont(Font f) {
    font_ = std::move(f);
    subscribe();
    fontChanged();
}

void TextControl::fontChanged() {
    // A held window is painted with its container's at the end of the build.
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), !WindowHeld());
    Invalidate();
}

void TextControl::BackColor(uint32_t c) {
    backColor_ = c;
    Invalidate();
}
void TextControl::ForeColor(uint32_t c) {
    foreColor_ = c;
    Invalidate();
}

void TextControl::fontToNewWindow() {
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

HBRUSH TextControl::platformColors(HDC dc) {
    SetTextColor(dc, ToColorRef(foreColor_));
    SetBkColor(dc, ToColorRef(backColor_));
    return backBrush();
}

HBRUSH TextControl::backBrush() {
    if (!brush_ || brushColor_ != backColor_) {
        brush_.reset(CreateSolidBrush(ToColorRef(backColor_)));
        brushColor_ = backColor_;
    }
    return brush_.get();
}

}  // namespace rt
