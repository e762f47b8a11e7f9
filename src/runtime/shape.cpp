#include "runtime/shape.h"

#include <algorithm>

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/textcontrol.h"  // the back style values

namespace rt {

Shape::Shape(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Windowless) {}
Shape::Shape(const Shape& t, int index)
    : Control(t, index),
      shape_(t.shape_),
      backStyle_(t.backStyle_),
      fillStyle_(t.fillStyle_),
      borderWidth_(t.borderWidth_),
      borderStyle_(t.borderStyle_),
      backColor_(t.backColor_),
      fillColor_(t.fillColor_),
      borderColor_(t.borderColor_) {}

#define RT_SHAPE_SETTER(Prop, member, lo, hi) \
    void Shape::Prop(int16_t v) {             \
        CheckRange(v, lo, hi, Name());        \
        member = v;                           \
        Invalidate();                         \
    }
RT_SHAPE_SETTER(ShapeKind, shape_, 0, 5)
RT_SHAPE_SETTER(BackStyle, backStyle_, 0, 1)
RT_SHAPE_SETTER(FillStyle, fillStyle_, 0, 7)
RT_SHAPE_SETTER(BorderWidth, borderWidth_, 1, 8192)
RT_SHAPE_SETTER(BorderStyle, borderStyle_, 0, 6)
#undef RT_SHAPE_SETTER
void Shape::BackColor(uint32_t v) {
    backColor_ = v;
    Invalidate();
}
void Shape::FillColor(uint32_t v) {
    fillColor_ = v;
    Invalidate();
}
void Shape::BorderColor(uint32_t v) {
    borderColor_ = v;
    Invalidate();
}

void Shape::Paint(HDC dc) {
    RECT r = PixelRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    if (shape_ == Square || shape_ == Circle || shape_ == RoundedSquare) {
        int side = std::min(w, h);
        r.left += (w - side) / 2;
        r.top += (h - side) / 2;
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    auto draw = [&](HDC d, const RECT& q) {
        int radius = std::min(q.right - q.left, q.bottom - q.top) / 4;
        if (shape_ == Oval || shape_ == Circle)
            Ellipse(d, q.left, q.top, q.right, q.bottom);
        else if (shape_ == RoundedRectangle || shape_ == RoundedSquare)
            RoundRect(d, q.left, q.top, q.right, q.bottom, radius, radius);
        else
            ::Rectangle(d, q.left, q.top, q.right, q.bottom);
    };
    if (backStyle_ == vbOpaque) {
        Brush b(CreateSolidBrush(ToColorRef(backColor_)));
        SelectGuard sb(dc, b.get());
        SelectGuard sp(dc, GetStockObject(NULL_PEN));
        RECT q = r;
        q.right += 1;
        q.bottom += 1;
        draw(dc, q);
    }
    Brush fill(fillStyle_ == 0 ? CreateSolidBrush(ToColorRef(fillColor_)) : nullptr);
    Pen pen(borderStyle_ ? CreatePen(PS_INSIDEFRAME, borderWidth_, ToColorRef(borderColor_)) : nullptr);
    SelectGuard sb(dc, fill ? static_cast<HGDIOBJ>(fill.get()) : GetStockObject(NULL_BRUSH));
    SelectGuard sp(dc, pen ? static_cast<HGDIOBJ>(pen.get()) : GetStockObject(NULL_PEN));
    draw(dc, r);
}

}  // namespace rt
