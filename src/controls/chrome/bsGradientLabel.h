// The gradient label: a colour gradient over the whole surface (left to right, top to bottom, or
// blended from four corner colours), a caption written horizontally or turned upwards with an
// optional text shadow, and an optional flat or three-dimensional border. Everything is drawn
// into the surface's persistent image; every property change paints the whole label again.
//
// A paint first keeps the label's shape to its label type: a horizontal label higher than wide
// (or a vertical one wider than high) exchanges its width and height and leaves the painting to
// the resize that follows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "runtime/font.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h).
// clang-format off
#define VANTREL_GRADIENTLABEL_PROPERTIES(X)                                                           \
    X(Set, int32_t, GradientType, int32_t{0})                                                         \
    X(Set, std::string, Caption, [](auto& t) { return t.Name(); }, [](auto& t) { return t.Name(); })  \
    X(Field, rt::Font, Fount, [](auto& t) { return t.Ambient().Font.Clone(); },                       \
      [](auto& t) { return t.Ambient().Font.Clone(); })                                               \
    X(Set, uint32_t, CaptionColour, 0xFFFFFFu)                                                        \
    X(Set, uint32_t, Colour1, 0u)                                                                     \
    X(Set, uint32_t, Colour2, 0xFF0000u)                                                              \
    X(Set, uint32_t, Colour3, 0xFFFFu)                                                                \
    X(Set, uint32_t, Colour4, 0xFFu)                                                                  \
    X(Set, int32_t, LabelType, int32_t{0})                                                            \
    X(Set, int32_t, CaptionAlignment, int32_t{0})                                                     \
    X(Set, int32_t, BorderStyle, int32_t{0})                                                          \
    X(Set, uint32_t, HighlightColour, 0x80000014u)                                                    \
    X(Set, uint32_t, HighlightDKColour, 0x80000016u)                                                  \
    X(Set, uint32_t, ShadowColour, 0x80000010u)                                                       \
    X(Set, uint32_t, ShadowDKColour, 0x80000015u)                                                     \
    X(Set, uint32_t, FlatBorderColour, 0u)                                                            \
    X(Set, uint32_t, TextShadowColour, 0u)                                                            \
    X(Set, bool, TextShadow, false)                                                                   \
    X(Set, int16_t, TextShadowYOffset, int16_t{2})                                                    \
    X(Set, int16_t, TextShadowXOffset, int16_t{2})
// clang-format on

class bsGradientLabel : public rt::UserControl {
public:
    bsGradientLabel(rt::Container& c, std::string name, int index = -1,
                    std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    bsGradientLabel(const bsGradientLabel& templ, int index);

    // The border of the current BorderStyle, drawn onto the label's image.
    void DrawEdges();
    // The RGB value of an OLE colour; 0 when it has none.
    int32_t TranslateColour(int32_t lColour) const;

    VANTREL_PROPERTY_ACCESSORS(VANTREL_GRADIENTLABEL_PROPERTIES)
    // The label's own font object: a change made through it shows at the next paint.
    rt::Font& Fount() noexcept { return settings_.Fount; }
    void Fount(rt::Font v) { Set(settings_.Fount, std::move(v), "Fount"); }

    // Events: Click, DblClick and MouseDown (pixels once the label has painted) of rt::Control.

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override { PaintGradientLabel(); }
    void UserControl_Show() override { PaintGradientLabel(); }
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override { RaiseEvent(Click); }
    void UserControl_DblClick() override { RaiseEvent(DblClick); }
    // Every setting paints the whole label at once.
    void PropertyRefresh() override { PaintGradientLabel(); }

private:
    static const rt::PropertyTable<bsGradientLabel>& Properties();
    void PaintGradientLabel();
    void DrawGradientCaption(int16_t Angle);

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_GRADIENTLABEL_PROPERTIES)
    } settings_;
};

}  // namespace controls
