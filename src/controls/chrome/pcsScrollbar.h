// The skinned scroll bar: a vertical bar 16 pixels wide, painted from one 64 x 48 skin (arrows in
// normal, hover and pressed looks, a thumb and a track). Value runs from 0 to Max; the arrows step
// by 50, also repeating while held; the thumb can be dragged; the arrow keys step by 50 through a
// hidden drop-down list that takes the keyboard focus. Every setting of Value raises Change.
//
// Skin cells, in pixels (x, y, width, height): up arrow normal, hover, pressed at (0|16|32, 0, 16,
// 24); down arrow likewise at y 24; thumb top cap (48, 0, 16, 2), body (48, 2, 16, 2, stretched),
// bottom cap (48, 22, 16, 2); track (48, 24, 16, 24, stretched).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/leave_watch.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The bar's skin, drawn here: light grey boxes with a grey outline, the arrows with a blue
// chevron, hover lighter, pressed darker with a dark blue chevron; the track a grey gradient.
rt::Picture ScrollbarSkin();

// The stored properties, in their stored order (see runtime/property_list.h).
// clang-format off
#define VANTREL_PCSSCROLLBAR_PROPERTIES(X)                                    \
    X(Custom, double, Max, 0.0)                                               \
    X(Custom, double, Value, 0.0)                                             \
    X(Relay, bool, Enabled, [](auto& t) { return t.rt::Control::Enabled(); }, \
      [](auto& t, bool v) { t.rt::Control::Enabled(v); }, true, true)
// clang-format on

class pcsScrollbar : public rt::UserControl {
public:
    // Where the pointer is on the bar.
    enum HitState : int32_t { Idle = 0, UpHover, UpPressed, DownHover, DownPressed, Dragging };

    pcsScrollbar(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    pcsScrollbar(const pcsScrollbar& templ, int index);
    ~pcsScrollbar() override;

    // At least 1 (NaN too gives 1); a Value above it is first brought down to it.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_PCSSCROLLBAR_PROPERTIES)
    void Max(double v);
    // Held to [0, Max] (NaN gives 0); every setting raises Change, also an unchanged one.
    void Value(double v);
    using Control::Enabled;

    rt::Event<> Change;

    int32_t Hit() const noexcept { return hit_; }
    // (0, thumb top, 16, thumb length) as x, y, width, height.
    RECT ThumbBox() const noexcept { return thumb_; }

    // The auto-repeat (every 10 ms); tmrOver watches for the pointer to leave (every 3 ms).
    void tmrDey_Timer();

    rt::PictureBox pic{*this, "pic"};
    rt::ComboBox cb{*this, "cb"};
    rt::Timer tmrDey{*this, "tmrDey"};
    rt::Timer tmrOver{*this, "tmrOver"};

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
    struct SkinCopy;
    static const rt::PropertyTable<pcsScrollbar>& Properties();
    void wire();
    void PaintScrollbar();
    bool IsCursorOver() const;
    // A drag holds the hover look wherever the pointer goes.
    bool PointerStays() const;
    void PointerLeft();
    void MoveHandling(int16_t Button, float x, float y);
    void LoadSkin();
    void cb_Click();
    // Max as painting and dragging use it: a stored Max below 1 counts as 1.
    double ScaleMax() const noexcept { return settings_.Max >= 1 ? settings_.Max : 1; }

    RECT downBox_{0, 0, 16, 24};
    RECT thumb_{0, 24, 16, 30};
    int32_t hit_ = Idle;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_PCSSCROLLBAR_PROPERTIES)
    } settings_;
    float grab_ = 0;
    std::unique_ptr<SkinCopy> skin_;
    int16_t repeat_ = 0;
    rt::LeaveWatch leave_{tmrOver, 3, [this] { return PointerStays(); }, [this] { PointerLeft(); }};
};

}  // namespace controls
