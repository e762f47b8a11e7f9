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

// The wrapper's own three values, then the shape's settings, in the order the bag keeps them.
const rt::PropertyTable<Shaper>& Shaper::Properties() {
    auto ambientFont = [](Shaper& c) { return c.Ambient().Font; };
    static const rt::PropertyTable<Shaper> table{
        {"ForeColor", &Shaper::foreColor_, 0u},
        {"Enabled", &Shaper::enabledValue_, false},
        {"Font", &Shaper::font_, ambientFont, ambientFont},
        {"BackStyle", [](Shaper& c) { return c.Shape1.BackStyle(); }, [](Shaper& c, int16_t v) { c.Shape1.BackStyle(v); },
         int16_t{0}, int16_t{0}},
        {"BorderStyle", [](Shaper& c) { return c.Shape1.BorderStyle(); },
         [](Shaper& c, int16_t v) { c.Shape1.BorderStyle(v); }, int16_t{1}, int16_t{1}},
        {"BorderWidth", [](Shaper& c) { return c.Shape1.BorderWidth(); },
         [](Shaper& c, int16_t v) { c.Shape1.BorderWidth(v); }, int16_t{1}, int16_t{1}},
        {"FillColor", [](Shaper& c) { return c.Shape1.FillColor(); }, [](Shaper& c, uint32_t v) { c.Shape1.FillColor(v); },
         0u, 0u},
        {"Shape", [](Shaper& c) { return c.Shape1.ShapeKind(); }, [](Shaper& c, int16_t v) { c.Shape1.ShapeKind(v); },
         int16_t{0}, int16_t{0}},
        {"BackColor", [](Shaper& c) { return c.Shape1.BackColor(); }, [](Shaper& c, uint32_t v) { c.Shape1.BackColor(v); },
         0x80000005u, 0x80000005u},
        {"BorderColor", [](Shaper& c) { return c.Shape1.BorderColor(); },
         [](Shaper& c, uint32_t v) { c.Shape1.BorderColor(v); }, 0u, 0u},
    };
    return table;
}

void Shaper::UserControl_ReadProperties(rt::PropertyBag& bag) { Properties().ReadAll(*this, bag); }

void Shaper::UserControl_WriteProperties(rt::PropertyBag& bag) { Properties().WriteAll(*this, bag); }

void Shaper::UserControl_Resize() {
    fitShape();
    Label1.Move(0, 0, Width(), Height());
    Invalidate();
}

void Shaper::ForeColor(uint32_t v) { Store(foreColor_, v, "ForeColor"); }

void Shaper::Enabled(bool v) { Store(enabledValue_, v, "Enabled"); }

void Shaper::Font(rt::Font f) { Store(font_, std::move(f), "Font"); }

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
