// The shape wrapper: a shape that fills the control, under a transparent label that takes the
// mouse for it (a shape takes none). Its drawing settings are the shape's own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// A stored setting of the shape, under the wrapper's name; a new wrapper keeps the shape's own.
// clang-format off
#define VANTREL_SHAPER_ON_SHAPE(X, kind, Type, Name, ShapeName, def)                   \
    X(kind, Type, Name, [](auto& c) { return c.Shape1.ShapeName(); },                  \
      [](auto& c, Type v) { c.Shape1.ShapeName(v); }, def, def, rt::ForNew(rt::kKept))
// The stored properties (see runtime/property_list.h): the wrapper's own three, then the shape's
// settings, in the order the bag keeps them.
#define VANTREL_SHAPER_PROPERTIES(X)                                                 \
    X(Store, uint32_t, ForeColor, 0u)                                                \
    X(Store, bool, Enabled, false)                                                   \
    X(Store, rt::Font, Font, [](auto& c) { return c.Ambient().Font; })               \
    VANTREL_SHAPER_ON_SHAPE(X, Relay, int16_t, BackStyle, BackStyle, int16_t{0})     \
    VANTREL_SHAPER_ON_SHAPE(X, Relay, int16_t, BorderStyle, BorderStyle, int16_t{1}) \
    VANTREL_SHAPER_ON_SHAPE(X, Relay, int16_t, BorderWidth, BorderWidth, int16_t{1}) \
    VANTREL_SHAPER_ON_SHAPE(X, Relay, uint32_t, FillColor, FillColor, 0u)            \
    VANTREL_SHAPER_ON_SHAPE(X, Via, int16_t, Shape, ShapeKind, int16_t{0})           \
    VANTREL_SHAPER_ON_SHAPE(X, Relay, uint32_t, BackColor, BackColor, 0x80000005u)   \
    VANTREL_SHAPER_ON_SHAPE(X, Relay, uint32_t, BorderColor, BorderColor, 0u)
// clang-format on

class Shaper : public rt::UserControl {
public:
    Shaper(rt::Container& c, std::string name, int index = -1,
           std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    Shaper(const Shaper& templ, int index);

    // The stored properties. ForeColor, Enabled and Font are kept and stored only: they change
    // nothing on screen, and Enabled False still raises events. The shape's settings pass to it.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_SHAPER_PROPERTIES)
    void Refresh() {}  // repaints nothing: only a resize or a new Shape does

    int16_t BackStyle() const noexcept { return Shape1.BackStyle(); }
    int16_t BorderStyle() const noexcept { return Shape1.BorderStyle(); }
    int16_t BorderWidth() const noexcept { return Shape1.BorderWidth(); }
    uint32_t FillColor() const noexcept { return Shape1.FillColor(); }
    int16_t Shape() const noexcept { return Shape1.ShapeKind(); }
    void Shape(int16_t v);  // also fits the shape to the control again
    uint32_t BackColor() const noexcept { return Shape1.BackColor(); }
    uint32_t BorderColor() const noexcept { return Shape1.BorderColor(); }

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

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_SHAPER_PROPERTIES)
    } settings_;
};

}  // namespace controls
