#include "controls/buttons/Shaper.h"

#include <utility>

namespace controls {

Shaper::Shaper(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)) {
    Create();
}

Shaper::Shaper(const Shaper& templ, int index) : UserControl(templ, index) {
    Create();
}

void Shaper::UserControl_Initialize() {
    UserControl::BackStyle(0);
    ScaleMode(rt::vbTwips);
    Label1.BackStyle(0);
    Label1.Caption("");
    Label1.Click = [this](int) { RaiseEvent(Click); };
    Label1.DblClick = [this](int) { RaiseEvent(DblClick); };
    Label1.MouseDown = [this](int, int16_t b, int16_t s, float x, float y) {
        RaiseEvent(MouseDown, b, s, x, y);
    };
    Label1.MouseMove = [this](int, int16_t b, int16_t s, float x, float y) {
        RaiseEvent(MouseMove, b, s, x, y);
    };
}

void Shaper::fitShape() {
    Shape1.Height(Height());
    Shape1.Width(Width());
    Shape1.Left(0);
    Shape1.Top(0);
}

VANTREL_PROPERTY_TABLE(Shaper, VANTREL_SHAPER_PROPERTIES)

void Shaper::UserControl_InitProperties() {
    fitShape();
    Properties().InitAll(*this);
}

void Shaper::UserControl_ReadProperties(rt::PropertyBag& bag) {
    Properties().ReadAll(*this, bag);
}

void Shaper::UserControl_WriteProperties(rt::PropertyBag& bag) {
    Properties().WriteAll(*this, bag);
}

void Shaper::UserControl_Resize() {
    fitShape();
    Label1.Move(0, 0, Width(), Height());
    Invalidate();
}

void Shaper::Shape(int16_t v) {
    Shape1.ShapeKind(v);
    PropertyChanged("Shape");
    fitShape();
    Invalidate();
}

}  // namespace controls
