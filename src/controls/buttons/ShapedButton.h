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
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class ShapedButton : public rt::UserControl {
public:
    ShapedButton(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    ShapedButton(const ShapedButton& templ, int index);

    bool ShowPicture() const noexcept { return showPicture_; }
    void ShowPicture(bool v);
    const rt::Picture& PictureOnMouseLeave() const noexcept { return normal_; }
    void PictureOnMouseLeave(rt::Picture p);
    const rt::Picture& PictureOnMouseMove() const noexcept { return hover_; }
    void PictureOnMouseMove(rt::Picture p);
    const rt::Picture& PictureOnMouseDown() const noexcept { return down_; }
    void PictureOnMouseDown(rt::Picture p);
    uint32_t MaskColor() const noexcept { return maskColor_; }
    void MaskColor(uint32_t c);
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t c);
    const std::string& Caption() const noexcept { return lblCaption.Caption(); }
    void Caption(std::string text);
    rt::Font& Font() noexcept { return lblCaption.GetFont(); }
    uint32_t ForeColor() const { return lblCaption.ForeColor(); }
    void ForeColor(uint32_t c);
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

    rt::Picture normal_, hover_, down_;
    bool showPicture_ = true;
    bool pressed_ = false;
    uint32_t maskColor_ = 0;
    std::vector<ShapedRun> maskRuns_;  // the opaque pixels of the picture applied as mask
    rt::Bitmap face_;                  // the stretched picture shown as the face; none: the back colour
    const void* shown_ = nullptr;
    int shownW_ = -1, shownH_ = -1;
    uint32_t shownMask_ = 0;
    rt::LeaveWatch leave_{tmrMousePos, 1, [this] { return pointerStays(); }, [this] { pointerLeft(); }};
};

}  // namespace controls
