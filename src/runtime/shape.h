#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"

namespace rt {

class Shape : public Control {
public:
    enum ShapeValue : int16_t { Rectangle = 0, Square, Oval, Circle, RoundedRectangle, RoundedSquare };
    Shape(Container& c, std::string name, int index = -1);
    Shape(const Shape& templ, int index);

    int16_t ShapeKind() const noexcept { return shape_; }
    void ShapeKind(int16_t v);
    int16_t BackStyle() const noexcept { return backStyle_; }
    void BackStyle(int16_t v);
    uint32_t BackColor() const noexcept { return backColor_; }
    void BackColor(uint32_t v);
    int16_t FillStyle() const noexcept { return fillStyle_; }
    void FillStyle(int16_t v);  // 0 solid, 1 transparent
    uint32_t FillColor() const noexcept { return fillColor_; }
    void FillColor(uint32_t v);
    uint32_t BorderColor() const noexcept { return borderColor_; }
    void BorderColor(uint32_t v);
    int16_t BorderWidth() const noexcept { return borderWidth_; }
    void BorderWidth(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);  // 0 transparent, 1 solid

    void Paint(HDC dc) override;
    int HitTest(int x, int y) const override { return vbHitResultOutside; }  // shapes take no mouse

private:
    int16_t shape_ = 0, backStyle_ = 0, fillStyle_ = 1, borderWidth_ = 1, borderStyle_ = 1;
    uint32_t backColor_ = 0x8000000F, fillColor_ = 0, borderColor_ = 0x80000008;
};

}  // namespace rt
