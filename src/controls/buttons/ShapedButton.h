// A button shaped and faced by three state pictures (normal, hover, pressed): each is stretched to
// the control, its pixels of MaskColor are see-through and not clickable, and a timer poll of the
// pointer shows the picture of the current state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/buttons/shaped_region.h"
#include "runtime/controls.h"
#include "runtime/handles.h"
#include "runtime/leave_watch.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties (see runtime/property_list.h), in the order they are written. Reading
// takes them straight into place; only the font's name comes back, the label keeping its own size
// and styles. A new button keeps the label's font, its enabled state and its pointer picture.
// clang-format off
#define VANTREL_SHAPED_BUTTON_PROPERTIES(X)                                                    \
    X(Custom, rt::Picture, PictureOnMouseLeave, rt::Picture())                                 \
    X(Custom, bool, ShowPicture, true)                                                         \
    X(Custom, uint32_t, MaskColor, 0u)                                                         \
    X(Relay, uint32_t, BackColor, [](auto& b) { return b.BackColor(); },                       \
      [](auto& b, uint32_t c) { b.UserControl::BackColor(c); }, 0xFFFFFFu, 0xFFFFFFu)          \
    X(Store, rt::Picture, PictureOnMouseMove, rt::Picture())                                   \
    X(Store, rt::Picture, PictureOnMouseDown, rt::Picture())                                   \
    X(Via, std::string, Caption, [](auto& b) { return b.lblCaption.Caption(); },               \
      [](auto& b, std::string text) { b.lblCaption.Caption(std::move(text)); }, "", "")        \
    X(Via, rt::Font, Font, [](auto& b) -> rt::Font& { return b.lblCaption.GetFont(); },        \
      [](auto& b, const rt::Font& f) {                                                         \
          b.lblCaption.GetFont().Name(f.Name().empty() ? "MS Sans Serif" : f.Name());          \
      },                                                                                       \
      rt::Font(), rt::Font(), rt::ForNew(rt::kKept))                                           \
    X(Relay, uint32_t, ForeColor, [](auto& b) { return b.lblCaption.ForeColor(); },            \
      [](auto& b, uint32_t c) { b.lblCaption.ForeColor(c); }, 0u, 0u)                          \
    X(Via, bool, Enable, [](auto& b) { return b.Enable(); },                                   \
      [](auto& b, bool v) { b.UserControl::Enabled(v); }, true, true, rt::ForNew(rt::kKept))   \
    X(Via, rt::Picture, MouseIcon, [](auto& b) { return b.UserControl::MouseIcon(); },         \
      [](auto& b, rt::Picture p) { b.MouseIcon(std::move(p)); }, rt::Picture(), rt::Picture(), \
      rt::ForNew(rt::kKept))
// clang-format on

class ShapedButton : public rt::UserControl {
public:
    ShapedButton(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    ShapedButton(const ShapedButton& templ, int index);

    // The stored properties; the setters written below show the change themselves.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_SHAPED_BUTTON_PROPERTIES)
    void ShowPicture(bool v);
    void PictureOnMouseLeave(rt::Picture p);
    void MaskColor(uint32_t c);
    uint32_t BackColor() const { return UserControl::BackColor(); }
    const std::string& Caption() const noexcept { return lblCaption.Caption(); }
    void Caption(std::string text);
    rt::Font& Font() noexcept { return lblCaption.GetFont(); }
    uint32_t ForeColor() const { return lblCaption.ForeColor(); }
    bool Enable() const noexcept { return UserControl::Enabled(); }
    void Enable(bool v) { UserControl::Enabled(v); }
    void MouseIcon(rt::Picture p);
    using UserControl::MouseIcon;

    rt::Event<> MouseLeave;

    rt::Label lblCaption{*this, "lblCaption"};
    rt::Timer tmrMousePos{*this, "tmrMousePos"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override { RaiseEvent(Click); }
    void UserControl_DblClick() override { RaiseEvent(DblClick); }

private:
    static const rt::PropertyTable<ShapedButton>& Properties();
    void centerCaption();  // and shapes the window anew
    void reshape();
    // Stretches the picture over the control, shapes the window by it and, with ShowPicture, makes
    // it the face. The poll passes force = false: the same picture, size and mask shape nothing.
    void show(const rt::Picture& p, bool force);
    void clearFace();
    // The pointer over the client area; while it stays there the face follows the pressed and
    // hover state, at every tick of the watch.
    bool pointerStays();
    void pointerLeft();

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_SHAPED_BUTTON_PROPERTIES)
    } settings_;
    bool pressed_ = false;
    std::vector<ShapedRun> maskRuns_;  // the opaque pixels of the picture applied as mask
    rt::Bitmap face_;                  // the stretched picture shown as the face; none: the back colour
    const void* shown_ = nullptr;
    int shownW_ = -1, shownH_ = -1;
    uint32_t shownMask_ = 0;
    rt::LeaveWatch leave_{tmrMousePos, 1, [this] { return pointerStays(); }, [this] { pointerLeft(); }};
};

}  // namespace controls
