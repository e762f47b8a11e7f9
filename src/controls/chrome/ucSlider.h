// The slider: a thumb that moves along a rail between the whole numbers Min and Max, horizontal or
// vertical. The rail is a 3-D edge in one of four styles or a picture; the thumb is a picture or a
// drawn raised button. While the user drags, the value tip (one small window shared by every
// slider) shows the value beside the thumb.
//
// The thumb's place is kept in fractions of a pixel and is the only record of where it is; the
// surface is a persistent image that the control draws on whenever something changes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h). A new slider keeps
// the surface's colour and pointer and the thumb's picture as they are.
// clang-format off
#define VANTREL_SLIDER_PROPERTIES(X)                                                                 \
    X(Via, uint32_t, BackColor, [](auto& s) { return s.rt::UserControl::BackColor(); },              \
      [](auto& s, uint32_t c) { s.rt::UserControl::BackColor(c); }, kButtonFace, kButtonFace,        \
      rt::ForNew(rt::kKept))                                                                         \
    X(Via, int16_t, MousePointer, [](auto& s) { return s.rt::UserControl::MousePointer(); },         \
      [](auto& s, int16_t v) { rt::Try([&] { s.rt::UserControl::MousePointer(v); }); }, int16_t{0},  \
      int16_t{0}, rt::ForNew(rt::kKept))                                                             \
    X(Via, rt::Picture, MouseIcon, [](auto& s) { return s.rt::UserControl::MouseIcon(); },           \
      [](auto& s, rt::Picture p) { s.rt::UserControl::MouseIcon(std::move(p)); }, rt::Picture(),     \
      rt::Picture(), rt::ForNew(rt::kKept))                                                          \
    X(Custom, bool, Enabled, true)                                                                   \
    X(Custom, int32_t, Orientation, int32_t{1})                                                      \
    X(Custom, int32_t, RailStyle, int32_t{0})                                                        \
    X(Custom, bool, ShowValueTip, true)                                                              \
    X(Custom, int32_t, Min, int32_t{0})                                                              \
    X(Custom, int32_t, Max, int32_t{10})                                                             \
    X(Custom, int32_t, Value, int32_t{0})                                                            \
    X(Via, rt::Picture, SliderImage, [](auto& s) { return s.thumbPicture_; },                        \
      [](auto& s, rt::Picture p) { s.SetThumbPicture(p); }, rt::Picture(), rt::Picture(),            \
      rt::ForNew(rt::kKept))                                                                         \
    X(Custom, rt::Picture, RailImage, rt::Picture())
// clang-format on

class ucSlider : public rt::UserControl {
public:
    ucSlider(rt::Container& c, std::string name, int index = -1,
             std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    ucSlider(const ucSlider& templ, int index);
    ~ucSlider() override;

    // The getters of the stored properties; their setters below check and repaint.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_SLIDER_PROPERTIES)
    // Only presses look at it: a disabled slider still raises Click.
    void Enabled(bool v) override;
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t c);
    int32_t MousePointer() const { return UserControl::MousePointer(); }
    void MousePointer(int32_t v);
    const rt::Picture& MouseIcon() const { return UserControl::MouseIcon(); }
    void MouseIcon(rt::Picture p);
    // Stored as it comes: no check, no repaint, the thumb stays where it is.
    void Max(int32_t v);
    // 380 unless below Max; then Value moves to the new Min.
    void Min(int32_t v);
    // 380 outside Min..Max; a change repaints and raises Change (ArrivedLast, ArrivedFirst).
    void Value(int32_t v);
    void Orientation(int32_t v);  // 0 horizontal, 1 vertical
    void RailStyle(int32_t v);    // 0 to 4 edge styles, 99 the rail picture
    const rt::Picture& SliderImage() const noexcept { return thumbPicture_; }
    void SliderImage(rt::Picture p);
    void RailImage(rt::Picture p);
    void ShowValueTip(bool v) { settings_.ShowValueTip = v; }  // kept only

    rt::Event<> Click;         // the left button released inside the control
    rt::Event<> ArrivedFirst;  // a value change ended at Min
    rt::Event<> ArrivedLast;   // a value change ended at Max
    rt::Event<> Change;
    rt::Event<int16_t&> MouseDown;  // a drag started (Shift)
    rt::Event<int16_t&> MouseUp;    // the drag ended (Shift)

    // The thumb's box in the control's pixels.
    float ThumbLeft() const noexcept { return thumb_.left; }
    float ThumbTop() const noexcept { return thumb_.top; }

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;

private:
    struct Box {
        float left = 0, top = 0, width = 16, height = 16;
    };
    static const rt::PropertyTable<ucSlider>& Properties();
    void SetThumbPicture(rt::Picture p);
    bool railPictureMode() const;
    float travel() const;
    void PlaceFromValue();
    void PlaceAtStart();
    void Layout();
    void PaintSlider();
    int32_t ValueFromThumb();
    void MoveThumb(float X, float Y);
    void PlaceValueTip();
    int controlWidth() const;
    int controlHeight() const;

    Box thumb_;  // position and size of the thumb, in pixels
    bool dragging_ = false;
    float grabX_ = 0, grabY_ = 0;
    RECT rail_{};
    RECT thumbRect_{};
    int32_t range_ = 10;
    int32_t lastValue_ = 0;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_SLIDER_PROPERTIES)
    } settings_;
    rt::Picture thumbPicture_;
    bool laying_ = false;
};

// The value tip: a borderless window without a task-bar entry, framed in 3-D colours, holding one
// label with the value.
class ucSliderTip : public rt::Form {
public:
    ucSliderTip();
    rt::Label lblTip{*this, "lblTip"};
    void Form_Resize() override;
};

}  // namespace controls
