#include "runtime/label.h"

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

Label::Label(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowless, kButtonFace, kButtonText) {}

Label::Label(const Label& t, int index)
    : TextControl(t, index),
      Change(t.Change),
      caption_(t.caption_),
      alignment_(t.alignment_),
      backStyle_(t.backStyle_),
      borderStyle_(t.borderStyle_),
      autoSize_(t.autoSize_),
      wordWrap_(t.wordWrap_) {}

void Label::Caption(std::string text) {
    if (text == caption_) return;
    caption_ = std::move(text);
    fit();
    Invalidate();
    RaiseEvent(Change);
}
void Label::Alignment(int16_t a) {
    CheckRange(a, 0, 2, Name());
    alignment_ = a;
    Invalidate();
}
void Label::AutoSize(bool v) {
    autoSize_ = v;
    fit();
}
void Label::WordWrap(bool v) {
    wordWrap_ = v;
    fit();
    Invalidate();
}
void Label::BackStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    backStyle_ = v;
    Invalidate();
}
void Label::BorderStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    borderStyle_ = v;
    Invalidate();
}
void Label::fontChanged() {
    fit();
    Invalidate();
}

void Label::fit() {
    if (!autoSize_) return;
    WindowDC screen(nullptr);
    SelectGuard sel(screen.get(), GetFont().Handle());
    RECT r = PixelRect();
    RECT calc{0, 0, wordWrap_ ? r.right - r.left : 0, 0};
    DrawTextA(screen.get(), caption_.empty() ? " " : caption_.c_str(), -1, &calc,
              DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0));
    int border = borderStyle_ ? 2 : 0;
    Move(Left(), Top(), ToTwipsX(calc.right + 2 * border), ToTwipsY(calc.bottom + 2 * border));
}

void Label::Paint(HDC dc) {
    RECT r = PixelRect();
    if (backStyle_ == vbOpaque) FillRect(dc, &r, backBrush());
    if (borderStyle_) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    SelectGuard sel(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(ForeColor()));
    UINT fmt = DT_NOPREFIX | DT_WORDBREAK |
               (alignment_ == 1   ? DT_RIGHT
                : alignment_ == 2 ? DT_CENTER
                                  : DT_LEFT);
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, fmt);
}

}  // namespace rt
