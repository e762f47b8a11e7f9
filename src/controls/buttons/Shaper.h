// The shape wrapper: a shape that fills the control, under a transparent label that takes the
// mouse for it (a shape takes none). Its drawing settings are the shape's own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class Shaper : public rt::UserControl {
public:
    Shaper(rt::Container& c, std::string name, int index = -1, std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    Shaper(const Shaper& templ, int index);

    // Kept and stored only: they change nothing on screen, and Enabled False still raises events.
    uint32_t ForeColor() const noexcept { return foreColor_; }
    void ForeColor(uint32_t v);
    bool Enabled() const noexcept { return enabledValue_; }
    void Enabled(bool v) override;
    const rt::Font& Font() const noexcept { return font_; }
    void Font(rt::Font f);
    void Refresh() {}  // repaints nothing: only a resize or a new Shape does

    int16_t BackStyle() const noexcept { return Shape1.BackStyle(); }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return Shape1.BorderStyle(); }
    void BorderStyle(int16_t v);
    int16_t BorderWidth() const noexcept { return Shape1.BorderWidth(); }
    void BorderWidth(int16_t v);
    uint32_t FillColor() const noexcept { return Shape1.FillColor(); }
    void FillColor(uint32_t v);
    int16_t Shape() const noexcept { return Shape1.ShapeKind(); }
    void Shape(int16_t v);
    uint32_t BackColor() const noexcept { return Shape1.BackColor(); }
    void BackColor(uint32_t v);
    uint32_t BorderColor() const noexcept { return Shape1.BorderColor(); }
    void BorderColor(uint32_t v);

    // Click, DblClick, MouseDown and MouseMove come from the label; these are never raised.
    rt::Event<int16_t&, int16_t&> KeyDown, KeyUp;
    rt::Event<int16_t&> KeyPress;

    rt::Shape Shape1{*this, "Shape1"};
    rt::Label Label1{*this, "Label1"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_Resize() override;

private:
    static const rt::PropertyTable<Shaper>& Properties();
    void fitShape();

    uint32_t foreColor_ = 0;
    bool enabledValue_ = false;
    rt::Font font_;
};

}  // namespace controls
