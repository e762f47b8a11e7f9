// The link label: a text (or, in its picture style, a picture) that hands its address to the
// shell when clicked and then raises Click. In hover mode the text shows the link colour,
// underlined, while the pointer is over it, and the normal colour otherwise; without hover mode
// it always shows the link look. Coming onto the text plays the hover sound "cross.wav" of the
// application's data folder.
//
// Windowless, so that a page shows through its transparent background. The hover look starts at
// the first pointer move over the text and ends when the pointer leaves the label or the label is
// clicked; while it lasts further moves are not reported, so the sound plays once per coming.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/font.h"
#include "runtime/leave_watch.h"
#include "runtime/picture.h"
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class EtsLinkLabel : public rt::UserControl {
public:
    EtsLinkLabel(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    EtsLinkLabel(const EtsLinkLabel& templ, int index);

    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t v);
    // 0 transparent, 1 opaque; anything else raises 380 and changes nothing.
    int32_t BackStyle() const noexcept { return UserControl::BackStyle(); }
    void BackStyle(int32_t v);
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    void Caption(std::string v);
    std::string Caption2() const { return {}; }
    uint32_t ForeColor() const noexcept { return foreColor_; }
    void ForeColor(uint32_t v);
    uint32_t DropColor() const noexcept { return dropColor_; }
    void DropColor(uint32_t v);
    // Both clamped to -50..50.
    int16_t DropColorAngleLeft() const noexcept { return dropColorAngleLeft_; }
    void DropColorAngleLeft(int16_t v);
    int16_t DropColorAngleTop() const noexcept { return dropColorAngleTop_; }
    void DropColorAngleTop(int16_t v);
    using Control::Enabled;
    void Enabled(bool v) override;
    // The inner label's own font object: changes made through it show at once.
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    void Font(rt::Font v);
    bool Hover() const noexcept { return hover_; }
    void Hover(bool v);
    uint32_t LinkColor() const noexcept { return linkColor_; }
    void LinkColor(uint32_t v);
    const rt::Picture& Picture() const noexcept { return picture_; }
    void Picture(rt::Picture v);
    // 0 text, 1 picture; anything else raises 380 and changes nothing.
    int32_t Style() const noexcept { return style_; }
    void Style(int32_t v);
    const std::string& URL() const noexcept { return url_; }
    void URL(std::string v);
    int32_t ScaleHeight() const;
    int32_t ScaleWidth() const;

    // Opens the address through the shell and returns the shell's answer. Only an address with a
    // scheme ("http:", "mailto:" ...) or a path goes to the shell; the shell would search any
    // other text as a program to start. Anything else opens nothing and answers 0.
    int32_t HyperJump(const std::string& URL);
    // The look of the current state: colour and underline of the text, then its repaint.
    void Refresh();
    bool Hovered() const noexcept { return hovered_; }

    // Click (of rt::Control) after the jump or its cancellation.
    rt::Event<bool&> BeforeJump;  // Cancel
    rt::Event<> Change;
    rt::Event<> Resize;

    rt::Label Label1{*this, "Label1"};
    rt::Image Image1{*this, "Image1"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    // A setting that changes the look shows it at once.
    void PropertyRefresh() override { Refresh(); }

private:
    static const rt::PropertyTable<EtsLinkLabel>& Properties();
    void wire();
    void ArrangeLink();
    void LinkClick();
    void Label1_MouseMove();
    void Label1_Change();
    void EndHover();
    void PlayHoverSound();

    bool busy_ = false;
    bool hovered_ = false;
    uint32_t foreColor_ = 0x80000012;
    uint32_t dropColor_ = 0xFFFFFF;
    int16_t dropColorAngleLeft_ = 15, dropColorAngleTop_ = 15;
    bool hover_ = true;
    uint32_t linkColor_ = 0xFF0000;
    int32_t style_ = 0;
    rt::Picture picture_;
    rt::Picture designIcon_;
    std::string url_;
    rt::LeaveWatch leave_{*this, 25, [this] { EndHover(); }};
};

}  // namespace controls
