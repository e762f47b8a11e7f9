#include "controls/buttons/Shaper.h"

#include <utility>

namespace controls {

Shaper::Shaper(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)) {
    Create();
}

Shaper::Shaper(const Shaper& templ, int index) : UserControl(templ, index) { Create(); }

void Shaper::UserControl_Initialize() {
    UserControl::BackStyle(0);
    ScaleMode(rt::vbTwips);
    Label1.BackStyle(0);
    Label1.Caption("");
    Label1.Click = [this](int) { RaiseEvent(Click); };
    Label1.DblClick = [this](int) { RaiseEvent(DblClick); };
    Label1.MouseDown = [this](int, int16_t b, int16_t s, float x, float y) { RaiseEvent(MouseDown, b, s, x, y); };
    Label1.MouseMove = [this](int, int16_t b, int16_t s, float x, float y) { RaiseEvent(MouseMove, b, s, x, y); };
}

void Shaper::fitShape() {
    Shape1.Height(Height());
    Shape1.Width(Width());
    Shape1.Left(0);
    Shape1.Top(0);
}

void Shaper::UserControl_InitProperties() {
    fitShape();
    foreColor_ = 0;
    enabledValue_ = false;
    font_ = Ambient().Font;
}

void Shaper::UserControl_ReadProperties(rt::PropertyBag& bag) {
    foreColor_ = bag.ReadProperty("ForeColor", 0u);
    enabledValue_ = bag.ReadProperty("Enabled", false);
    font_ = bag.ReadProperty("Font", Ambient().Font);
    Shape1.BackStyle(bag.ReadProperty("BackStyle", int16_t{0}));
    Shape1.BorderStyle(bag.ReadProperty("BorderStyle", int16_t{1}));
    Shape1.BorderWidth(bag.ReadProperty("BorderWidth", int16_t{1}));
    Shape1.FillColor(bag.ReadProperty("FillColor", 0u));
    Shape1.ShapeKind(bag.ReadProperty("Shape", int16_t{0}));
    Shape1.BackColor(bag.ReadProperty("BackColor", 0x80000005u));
    Shape1.BorderColor(bag.ReadProperty("BorderColor", 0u));
}

void Shaper::UserControl_WriteProperties(rt::PropertyBag& bag) {
    bag.WriteProperty("ForeColor", foreColor_, 0u);
    bag.WriteProperty("Enabled", enabledValue_, false);
    bag.WriteProperty("Font", font_, Ambient().Font);
    bag.WriteProperty("BackStyle", Shape1.BackStyle(), int16_t{0});
    bag.WriteProperty("BorderStyle", Shape1.BorderStyle(), int16_t{1});
    bag.WriteProperty("BorderWidth", Shape1.BorderWidth(), int16_t{1});
    bag.WriteProperty("FillColor", Shape1.FillColor(), 0u);
    bag.WriteProperty("Shape", Shape1.ShapeKind(), int16_t{0});
    bag.WriteProperty("BackColor", Shape1.BackColor(), 0x80000005u);
    bag.WriteProperty("BorderColor", Shape1.BorderColor(), 0u);
}

void Shaper::UserControl_Resize() {
    fitShape();
    Label1.Move(0, 0, Width(), Height());
    Invalidate();
}

void Shaper::ForeColor(uint32_t v) {
    foreColor_ = v;
    PropertyChanged("ForeColor");
}

void Shaper::Enabled(bool v) {
    enabledValue_ = v;
    PropertyChanged("Enabled");
}

void Shaper::Font(rt::Font f) {
    font_ = std::move(f);
    PropertyChanged("Font");
}

void Shaper::BackStyle(int16_t v) {
    Shape1.BackStyle(v);
    PropertyChanged("BackStyle");
}

void Shaper::BorderStyle(int16_t v) {
    Shape1.BorderStyle(v);
    PropertyChanged("BorderStyle");
}

void Shaper::BorderWidth(int16_t v) {
    Shape1.BorderWidth(v);
    PropertyChanged("BorderWidth");
}

void Shaper::FillColor(uint32_t v) {
    Shape1.FillColor(v);
    PropertyChanged("FillColor");
}

void Shaper::Shape(int16_t v) {
    Shape1.ShapeKind(v);
    PropertyChanged("Shape");
    fitShape();
    Invalidate();
}

void Shaper::BackColor(uint32_t v) {
    Shape1.BackColor(v);
    PropertyChanged("BackColor");
}

void Shaper::BorderColor(uint32_t v) {
    Shape1.BorderColor(v);
    PropertyChanged("BorderColor");
}

}  // namespace controls
