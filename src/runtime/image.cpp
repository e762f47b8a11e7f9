#include "runtime/image.h"

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

Image::Image(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Windowless) {}
Image::Image(const Image& t, int index)
    : Control(t, index), picture_(t.picture_), stretch_(t.stretch_), borderStyle_(t.borderStyle_) {}

void Image::SetPicture(Picture p) {
    picture_ = std::move(p);
    fit();
    Invalidate();
}
void Image::Stretch(bool v) {
    stretch_ = v;
    fit();
    Invalidate();
}
void Image::BorderStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    borderStyle_ = v;
    fit();
    Invalidate();
}
void Image::fit() {
    if (stretch_ || picture_.Empty()) return;
    int b = borderStyle_ ? 2 : 0;
    Move(Left(), Top(), ToTwipsX(picture_.PixelWidth() + b), ToTwipsY(picture_.PixelHeight() + b));
}
void Image::Paint(HDC dc) {
    RECT r = PixelRect();
    if (borderStyle_) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    if (picture_.Empty()) return;
    if (stretch_)
        picture_.Render(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    else
        picture_.Render(dc, r.left, r.top, picture_.PixelWidth(), picture_.PixelHeight());
}

}  // namespace rt
