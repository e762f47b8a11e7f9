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
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h).
// clang-format off
#define VANTREL_LINKLABEL_PROPERTIES(X)                                                                       \
    X(Relay, std::string, Caption, [](auto& t) -> const std::string& { return t.Label1.Caption(); },          \
      [](auto& t, std::string v) { t.Label1.Caption(std::move(v)); },                                         \
      [](auto& t) { return t.Ambient().DisplayName; }, [](auto& t) { return t.Ambient().DisplayName; })       \
    X(Via, rt::Font, Font, [](auto& t) -> rt::Font& { return t.Label1.GetFont(); },                           \
      [](auto& t, rt::Font f) { t.Label1.SetFont(std::move(f)); },                                            \
      [](auto& t) { return t.Ambient().Font.Clone(); }, [](auto& t) { return t.Ambient().Font.Clone(); })     \
    /* A stored style other than 0 and 1 leaves the control's own. */                                         \
    X(Via, int16_t, BackStyle, [](auto& t) { return t.rt::UserControl::BackStyle(); },                        \
      [](auto& t, int16_t v) { rt::Try([&] { t.rt::UserControl::BackStyle(v); }); }, int16_t{1}, int16_t{1})  \
    X(Relay, bool, Enabled, [](auto& t) { return t.rt::Control::Enabled(); },                                 \
      [](auto& t, bool v) { t.rt::Control::Enabled(v); }, true, true)                                         \
    X(Relay, uint32_t, BackColor, [](auto& t) { return t.rt::UserControl::BackColor(); },                     \
      [](auto& t, uint32_t v) { t.rt::UserControl::BackColor(v); }, 0x8000000Fu, 0x8000000Fu)                 \
    X(Set, uint32_t, ForeColor, 0x80000012u)                                                                  \
    X(Set, uint32_t, DropColor, 0xFFFFFFu)                                                                    \
    X(Custom, int16_t, DropColorAngleLeft, int16_t{0}, rt::ForNew(int16_t{15}))                               \
    X(Custom, int16_t, DropColorAngleTop, int16_t{0}, rt::ForNew(int16_t{15}))                                \
    X(Set, bool, Hover, true)                                                                                 \
    X(Set, uint32_t, LinkColor, 0xFF0000u)                                                                    \
    X(Custom, int32_t, Style, int32_t{0})                                                                     \
    X(Custom, rt::Picture, Picture, rt::Picture())                                                            \
    X(Store, std::string, URL, "http://www.example.com/")
// clang-format on

class EtsLinkLabel : public rt::UserControl {
public:
    EtsLinkLabel(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    EtsLinkLabel(const EtsLinkLabel& templ, int index);

    VANTREL_PROPERTY_ACCESSORS(VANTREL_LINKLABEL_PROPERTIES)
    uint32_t BackColor() const { return UserControl::BackColor(); }
    // 0 transparent, 1 opaque; anything else raises 380 and changes nothing.
    int32_t BackStyle() const noexcept { return UserControl::BackStyle(); }
    void BackStyle(int32_t v);
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    std::string Caption2() const { return {}; }
    // Both clamped to -50..50.
    void DropColorAngleLeft(int16_t v);
    void DropColorAngleTop(int16_t v);
    using Control::Enabled;
    // The inner label's own font object: changes made through it show at once.
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    void Font(rt::Font v);
    void Picture(rt::Picture v);
    // 0 text, 1 picture; anything else raises 380 and changes nothing.
    void Style(int32_t v);
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
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_LINKLABEL_PROPERTIES)
    } settings_;
    rt::Picture designIcon_;
    std::string url_;
    rt::LeaveWatch leave_{*this, 25, [this] { EndHover(); }};
};

}  // namespace controls
